-- Globals from the test: game (one level, its facade stopped, one discovered session of this
-- game listed), net (the facade), text (a text in no layer), prototype (a game object), and
-- natives that lend text a network payload.

-- The facade before any session
assert(net:GetBroadcastTimeOut() == 0.5)
assert(net:GetLocalPlayer() == nil and net:GetSessionPlayers() == nil and net:GetSessionPlayersNumber() == 0)
assert(net:QueryPlayer(1) == nil and net:QueryGroup(1):GetName() == "All_Players")
assert(net:SendTextMessage(true, "nobody") == false)
assert(none(net:SendDataMessage()) and none(net:SendDataMessageToPlayer()))
assert(none(net:AddBaseNetObject(prototype)), "too few arguments give no result")
assert(net:AddBaseNetObject(prototype, "box") == true)
assert(net:AddBaseNetObject(prototype, "box") == false, "a network name is taken once")

-- Discovered sessions
assert(game:GetOnlineSessionsCount() == 1)
local session = game:GetOnlineSession(0)
assert(session:GetHostName() == "a host far enough away to need a long name")
assert(session:GetNetworkID() == "game-id")
assert(session:GetSessionMaxPlayers() == 6 and session:GetSessionPlayersNumber() == 2)
assert(session:IsPasswordProtected() == true)
assert(none(game:GetOnlineSession(1)))
assert(game:JoinNetworkGame("Bob", session, "") == false, "a stopped facade joins nothing")
assert(none(game:JoinNetworkGame("Bob", session)))
session = nil
collectgarbage()

-- A hosted session: the local player, the players and the groups
assert(game:HostNetworkGame("session", "Alice", "", 4) == false, "hosting needs a started facade")
game:NetworkStart("game-id")
assert(game:HostNetworkGame("session", "Alice", "", 4) == true)
local alice = net:GetLocalPlayer()
assert(alice:GetName() == "Alice" and alice:IsLocal() and alice:IsHost())
assert(alice:GetID() == net:QueryPlayer("Alice"):GetID() and alice:GetPingTime() == 0)
local players = net:GetSessionPlayers()
assert(#players == 1 and players[1]:GetName() == "Alice" and net:GetSessionPlayersNumber() == 1)
local all = net:QueryGroup("All_Players")
assert(all:GetID() == 1 and all:GetSize() == 1 and all:GetOwner() == nil)
assert(all:QueryPlayer("Alice"):GetID() == alice:GetID() and all:QueryPlayer(99) == nil)
assert(all:AddPlayer(alice) == false, "one player per id")
assert(net:SendTextMessage(true, "hello", true) == true)
assert(net:SendTextMessage(true, "hello", all, false) == true)
assert(type(net:SendTextMessageToPlayer(true, "me", alice)) == "boolean")
assert(none(net:SendTextMessageToPlayer(true, "me")))
assert(all:RemovePlayer("nobody") == false)
assert(game:IsNetworkGame() == true and game:IsServer() == true)
net:RemoveNetObjectsControlledBy(alice)

-- Script values in network records
assert(none(text:SaveNetworkData(1)) and none(text:LoadNetworkData()), "nothing outside a record")
lend_payload()
text:SaveNetworkData(1.5, "a", true, nil)
reread_payload()
reread_payload()
local number, word, flag, empty = text:LoadNetworkData()
assert(number == 1.5 and word == "a" and flag == true and empty == nil)
reread_payload()
assert(select("#", text:LoadNetworkData()) == 4)

local function filled(table, fields)
  for name, value in pairs(fields) do table[name] = value end
  return table
end
lend_payload()
text:SaveNetworkData(filled(CreatePoint(), {X = 3, Y = 4.25}), filled(CreateColor(), {R = 0.1, B = 0.3}), print,
                     coroutine.create(function() end), filled(CreateVector(), {X = -1}))
reread_payload()
local point, color, vector = text:LoadNetworkData()
assert(point.X == 3 and point.Y == 4.25 and point.className == "Point2D")
assert(color.B == 0.3 and color.A == 1)
assert(vector.X == -1 and vector.className == "Vector2D")
reread_payload()
assert(select("#", text:LoadNetworkData()) == 3, "a function pushes nothing and a thread is not written")

lend_hostile_payload()
local first, second = text:LoadNetworkData()
assert(first == 2 and second == nil, "an unknown tag ends the list")
lend_huge_count()
assert(none(text:LoadNetworkData()), "a count beyond the payload reads nothing")
end_payload()
