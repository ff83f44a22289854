#include "engine/Engine_Application.h"

#include "platform/PAL_MessagePump.h"

namespace Engine
{
namespace
{
Application* application = nullptr;
}

Application::Application()
{
    application = this;
}

Application::~Application()
{
    if (application == this)
    {
        application = nullptr;
    }
}

Application* Application::GetInstance()
{
    return application;
}

void Application::Quit(i32 code)
{
    if (code != 0)
    {
        exitCode = code;
    }
    PAL::PostQuit();
}

void Application::BeginFrame()
{
}

void Application::Update()
{
}

void Application::EndFrame()
{
}

void Application::Shutdown()
{
}
}  // namespace Engine
