#include "gui/GUI_ImageEffect.h"

#include "renderer/Renderer_States.h"

namespace GUI
{
namespace
{
template <class T>
Core::RefPtr<T> Make()
{
    return Core::RefPtr<T>(new (__FILE__, __LINE__) T());
}
} // namespace

ImageEffect::ImageEffect()
{
    const Core::RefPtr<Renderer::Technique> technique = Make<Renderer::Technique>();
    const Core::RefPtr<Renderer::Pass> pass = Make<Renderer::Pass>();

    textureState = Make<Renderer::TextureUnit0State>();
    textureState->enabled = 1;
    textureState->environment = Renderer::TextureEnvironmentMode::Modulate;
    textureState->filter = mode;
    textureState->wrapS = Renderer::TextureWrap::ClampToEdge;
    textureState->wrapT = Renderer::TextureWrap::ClampToEdge;
    pass->AddState(textureState);

    const Core::RefPtr<Renderer::DepthBufferState> depth = Make<Renderer::DepthBufferState>();
    depth->function = Renderer::CompareFunction::Less;
    depth->testEnabled = 1;
    depth->writeEnabled = 0;
    pass->AddState(depth);

    const Core::RefPtr<Renderer::AlphaBlendingState> blending = Make<Renderer::AlphaBlendingState>();
    blending->source = Renderer::BlendFactor::SourceAlpha;
    blending->destination = Renderer::BlendFactor::OneMinusSourceAlpha;
    blending->enabled = 1;
    pass->AddState(blending);

    const Core::RefPtr<Renderer::AlphaTestingState> alphaTest = Make<Renderer::AlphaTestingState>();
    alphaTest->function = Renderer::CompareFunction::NotEqual;
    alphaTest->reference = 0.0f;
    alphaTest->enabled = 1;
    pass->AddState(alphaTest);

    const Core::RefPtr<Renderer::LightingState> lighting = Make<Renderer::LightingState>();
    lighting->ambient = Math::Color(0.2f, 0.2f, 0.2f, 1.0f);
    lighting->localViewer = 1;
    lighting->enabled = 0;
    pass->AddState(lighting);

    technique->AddPass(pass);
    technique->SortPassStates();
    AddTechnique(technique);
}

ImageEffect::~ImageEffect()
{
    textureState = nullptr;
}

void ImageEffect::UpdateStates()
{
    if (textureState)
        textureState->filter = mode;
}
} // namespace GUI
