#pragma once
// A buffer of vertex or index data that the renderer can attach to one of its buffer slots. What
// holds the data (client memory or a buffer object) is the implementation's business.
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Renderer
{
class IBuffer : public Core::Object
{
public:
    virtual void Bind() = 0;
    virtual void Unbind() = 0;
    // Index buffers: whether the indices are 32-bit (else 16-bit), and where they start (a client
    // address, or an offset into the bound buffer object).
    virtual bool Uses32BitIndices() const = 0;
    virtual const void* GetBase() const = 0;
};
}  // namespace Renderer
