// Reads the collision-actor table: whitespace-separated words, one line per animation.
#include "collision/Collision_ActorData.h"
#include "game/content/MyGame_CollisionActors.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
struct Shape
{
    char kind;
    f32 values[4];
};

// What one "/"-separated part of a line says of its frames.
struct FrameDescription
{
    Collision2D::VelRect rectangle;
    std::vector<Shape> shapes;
};

class LineReader
{
public:
    LineReader(const char* begin, const char* end, u32 lineNumber) : at(begin), end(end), lineNumber(lineNumber) {}

    bool AtEnd()
    {
        SkipSpaces();
        return at == end;
    }

    std::string Word()
    {
        SkipSpaces();
        const char* start = at;
        while (at != end && *at != ' ' && *at != '\t')
            ++at;
        return std::string(start, at);
    }

    f32 Number()
    {
        const std::string word = Word();
        char* stop = nullptr;
        const f32 value = std::strtof(word.c_str(), &stop);
        if (word.empty() || *stop != '\0')
            Fail("expected a number, read \"" + word + "\"");
        return value;
    }

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::invalid_argument("collision-actor table line " + std::to_string(lineNumber) + ": " + what);
    }

private:
    void SkipSpaces()
    {
        while (at != end && (*at == ' ' || *at == '\t'))
            ++at;
    }

    const char* at;
    const char* end;
    u32 lineNumber;
};

u32 ShapeValueCount(char kind)
{
    return kind == 'c' ? 3u : 4u;
}

std::vector<FrameDescription> ReadFrames(LineReader& reader)
{
    std::vector<FrameDescription> frames(1);
    while (!reader.AtEnd())
    {
        const std::string word = reader.Word();
        if (word == "/")
        {
            frames.push_back(FrameDescription{frames.back().rectangle, {}});
        }
        else if (word == "r")
        {
            Collision2D::VelRect& rectangle = frames.back().rectangle;
            rectangle.top = reader.Number();
            rectangle.left = reader.Number();
            rectangle.right = reader.Number();
            rectangle.bottom = reader.Number();
        }
        else if (word == "s" || word == "S" || word == "c")
        {
            Shape shape{word[0], {}};
            for (u32 i = 0; i < ShapeValueCount(shape.kind); ++i)
                shape.values[i] = reader.Number();
            frames.back().shapes.push_back(shape);
        }
        else
        {
            reader.Fail("unknown word \"" + word + "\"");
        }
    }
    return frames;
}

void FillFrame(Collision2D::CollisionFrame& frame, const FrameDescription& description)
{
    frame.SetBoundingRectangle(description.rectangle, true);
    for (const Shape& shape : description.shapes)
    {
        const f32* v = shape.values;
        if (shape.kind == 'c')
            frame.AddCircle(Math::Point2D(v[0], v[1]), v[2], 0, true);
        else
            frame.AddLineSegment(Math::Point2D(v[0], v[1]), Math::Point2D(v[2], v[3]), shape.kind == 'S' ? 1u : 0u, true);
    }
}
}  // namespace

void BuildCollisionActors(const char* table, const std::function<void(u32, Collision2D::CollisionActor*)>& take)
{
    std::unique_ptr<Collision2D::CollisionActor> actor;
    u32 actorNumber = 0;
    u32 lineNumber = 0;
    const char* line = table;
    while (*line != '\0')
    {
        const char* lineEnd = line;
        while (*lineEnd != '\0' && *lineEnd != '\n')
            ++lineEnd;
        ++lineNumber;
        LineReader reader(line, lineEnd, lineNumber);
        line = *lineEnd == '\n' ? lineEnd + 1 : lineEnd;
        if (reader.AtEnd())
            continue;

        const f32 number = reader.Number();
        if (!actor || number != static_cast<f32>(actorNumber))
        {
            if (actor)
            {
                take(actorNumber, actor.release());
                ++actorNumber;
            }
            if (number != static_cast<f32>(actorNumber))
                reader.Fail("actor " + std::to_string(actorNumber) + " expected");
            actor.reset(new (__FILE__, __LINE__) Collision2D::CollisionActor());
        }
        const f32 frameCount = reader.Number();
        if (frameCount < 1.0f)
            reader.Fail("an animation needs a frame");
        const std::vector<FrameDescription> frames = ReadFrames(reader);
        if (frames.size() > static_cast<size_t>(frameCount))
            reader.Fail("more frame descriptions than frames");

        Collision2D::CollisionAnimation& animation = actor->AddCollisionAnimation();
        for (u32 i = 0; i < static_cast<u32>(frameCount); ++i)
            FillFrame(animation.AddCollisionFrame(), frames[std::min<size_t>(i, frames.size() - 1)]);
    }
    if (actor)
        take(actorNumber, actor.release());
}
