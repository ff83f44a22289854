-- A 1024 x 768 window without vertical sync; only the modules the sprite scene uses.
function love.conf(t)
    t.window.title = "LÖVE sprites"
    t.window.width = 1024
    t.window.height = 768
    t.window.vsync = 0
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
    t.modules.touch = false
    t.modules.video = false
end
