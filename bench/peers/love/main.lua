-- The sprite scene of Morvane's RotatedSprites benchmark drawn by LÖVE: SPRITES rotated 32 x 32
-- alpha-blended sprites (the same picture, placed and moved by the same generator) that all move
-- every frame, in a loop of its own that never sleeps. Prints the mean milliseconds per frame
-- (update, clear, draws, present) over at least SECONDS seconds after ten frames of warm-up, then
-- the processor's part (update, clear, draws) and the present, then quits. With FIRST_FRAME set it
-- quits as soon as its first frame is presented, for timing start-up from outside.
local count = tonumber(os.getenv("SPRITES") or "1000")
local seconds = tonumber(os.getenv("SECONDS_PER_RUN") or "3")
local width, height, side = 1024, 768, 32

-- 32-bit linear congruential generator, exact in doubles: the product is split in 16-bit halves.
local state = 12345
local function next()
    local low = state % 65536
    local high = (state - low) / 65536
    local product = ((high * 1103515245) % 65536) * 65536 + low * 1103515245
    state = (product + 12345) % 4294967296
    return math.floor(state / 256) % 65536 / 65536
end

local function picture()
    local data = love.image.newImageData(side, side)
    for y = 0, side - 1 do
        for x = 0, side - 1 do
            local dx, dy = x + 0.5 - side / 2, y + 0.5 - side / 2
            local r = math.sqrt(dx * dx + dy * dy) / (side / 2)
            local alpha = r >= 1 and 0 or 1 - r * r
            local blue = (r > 0.6 and r < 0.8) and 64 or 224
            data:setPixel(x, y, (x * 8) % 256 / 255, (y * 8) % 256 / 255, blue / 255, math.floor(alpha * 255) / 255)
        end
    end
    return love.graphics.newImage(data)
end

function love.run()
    local image = picture()
    local xs, ys, vxs, vys, angles, spins = {}, {}, {}, {}, {}, {}
    for i = 1, count do
        xs[i] = next() * width
        ys[i] = next() * height
        vxs[i] = next() * 200 - 100
        vys[i] = next() * 200 - 100
        angles[i] = next() * 6.2831853
        spins[i] = next() * 4 - 2
    end
    local dt = 1 / 60
    local draw = love.graphics.draw
    local getTime = love.timer.getTime
    local processor, present = 0, 0
    local function frame()
        local start = getTime()
        for i = 1, count do
            local x, y = xs[i] + vxs[i] * dt, ys[i] + vys[i] * dt
            if x < 0 or x > width then vxs[i] = -vxs[i] end
            if y < 0 or y > height then vys[i] = -vys[i] end
            xs[i], ys[i] = x, y
            angles[i] = angles[i] + spins[i] * dt
        end
        love.graphics.clear(0.1, 0.1, 0.2, 1)
        for i = 1, count do
            draw(image, xs[i], ys[i], angles[i], 1, 1, side / 2, side / 2)
        end
        local drawn = getTime()
        love.graphics.present()
        processor = processor + (drawn - start)
        present = present + (getTime() - drawn)
    end
    if os.getenv("FIRST_FRAME") then
        frame()
        os.exit(0)
    end
    for _ = 1, 10 do frame() end
    processor, present = 0, 0
    local start = love.timer.getTime()
    local frames = 0
    repeat
        frame()
        frames = frames + 1
    until love.timer.getTime() - start >= seconds
    local elapsed = love.timer.getTime() - start
    io.write(string.format("%.3f %.3f %.3f\n", elapsed * 1000 / frames, processor * 1000 / frames,
        present * 1000 / frames))
    io.flush()
    return function() return 0 end
end
