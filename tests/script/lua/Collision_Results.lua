-- Globals from the test: geometry and tileMap, the first geometry and tile-map records of a new
-- result block as the pushers hand them to scripts.

-- A geometry record holds five segment and five circle records, none of them counted yet.
assert(#geometry.lineSegments == 5 and #geometry.circles == 5)
assert(geometry.currentLineSegmentsNumber == 0 and geometry.currentCirclesNumber == 0)
assert(geometry.buffer_LineSegments == 5 and geometry.buffer_Circles == 5 and geometry.deltaBuffer == 5)
local last = geometry.circles[5]
assert(last.className == "CIR_C" and last.numberOfIntersectedPoints == 0)
assert(last.myCircleUserId[1] == 192038273 and geometry.lineSegments[5].className == "LNS_C")

-- A tile-map record holds twenty entries of each kind.
assert(#tileMap.newEntries == 20 and #tileMap.staticEntries == 20)
assert(tileMap.currentNewIdsNumber == 0 and tileMap.currentStaticIdsNumber == 0)
assert(tileMap.buffer_NewIds == 20 and tileMap.buffer_StaticIds == 20)
assert(tileMap.newEntries[20].className == "TMAP_DATA" and tileMap.newEntries[20].cellX == 0)
assert(tileMap.staticEntries[20].className == "TMAP_DATA_BASE" and tileMap.staticEntries[20].id == 0)
