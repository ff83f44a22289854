#include "physics/Physics_Globals.h"
#include "physics/Physics_PhysicsEngine.h"

#include <algorithm>
#include <iterator>

namespace Physics2D
{
u32 PhysicsEngine::NextMark()
{
    // 0 is the mark of an object never listed, so it is skipped when the counter wraps.
    if (++mark == 0)
        mark = 1;
    return mark;
}

void PhysicsEngine::SetStep(float dt)
{
    SimulationStep = MaximumSimulationStep < dt ? MaximumSimulationStep : dt;
    SimulationInverseStep = dt == 0.0f ? 0.0f : 1.0f / SimulationStep;
}

void PhysicsEngine::BuildStepList(bool positionForm)
{
    stepList.clear();
    if (!positionForm)
    {
        for (const Core::RefPtr<Joint>& joint : joints)
        {
            if (joint->IsActive())
                stepList.push_back(joint.Get());
        }
        for (const Core::RefPtr<Contact>& contact : contacts)
        {
            if (contact->IsActive())
                stepList.push_back(contact.Get());
        }
        return;
    }

    // The contacts, then every joint linked through a chain of joints to a body a contact touches.
    touchedBodies.clear();
    const u32 touched = NextMark();
    const u32 listed = NextMark();
    auto touch = [&](RigidBody* body) {
        if (body->touchedMark == touched)
            return false;
        body->touchedMark = touched;
        touchedBodies.push_back(body);
        return true;
    };
    for (const Core::RefPtr<Contact>& contact : contacts)
    {
        if (!contact->IsActive())
            continue;
        touch(contact->GetBody1());
        touch(contact->GetBody2());
        contact->stepMark = listed;
        stepList.push_back(contact.Get());
    }
    for (auto joint = joints.begin(); joint != joints.end();)
    {
        Joint* entry = *joint;
        RigidBody* body1 = entry->GetBody1();
        RigidBody* body2 = entry->GetBody2();
        if (!entry->IsActive() || (body1->touchedMark != touched && body2->touchedMark != touched))
        {
            ++joint;
            continue;
        }
        if (entry->stepMark != listed)
        {
            entry->stepMark = listed;
            stepList.push_back(entry);
        }
        // A body reached for the first time may link joints already passed: start the walk again.
        const bool firstNew = touch(body1);
        const bool secondNew = touch(body2);
        joint = firstNew || secondNew ? joints.begin() : std::next(joint);
    }
}

u32 PhysicsEngine::CollectConstrainedBodies()
{
    // The list is written over in place: a pass mostly collects the bodies of the pass before in
    // the same order (the velocity pass those of the position pass), which then need no counting.
    const u32 collected = NextMark();
    std::size_t count = 0;
    auto collect = [&](RigidBody* body) {
        if (body->collectedMark == collected)
            return;
        body->collectedMark = collected;
        if (count < constrainedBodies.size())
        {
            if (constrainedBodies[count] != body)
                constrainedBodies[count] = body;
        }
        else
        {
            constrainedBodies.emplace_back(body);
        }
        ++count;
    };
    for (Joint* entry : stepList)
    {
        collect(entry->GetBody1());
        collect(entry->GetBody2());
    }
    constrainedBodies.erase(constrainedBodies.begin() + std::ptrdiff_t(count), constrainedBodies.end());
    return static_cast<u32>(count);
}

void PhysicsEngine::PrepareRows()
{
    u32 rowCount = 0;
    for (Joint* entry : stepList)
        rowCount += entry->GetRowCount();
    // Each entry's block is cleared as it is filled, and only where the entry does not write it whole.
    solver.Resize(rowCount, static_cast<u32>(constrainedBodies.size()), false);
}

void PhysicsEngine::FillRows()
{
    // One walk over the entries: each block gets its records' bodies, is filled, and has its
    // normal-row indices made global (the solver's resize has set every record's to none).
    u32 first = 0;
    for (Joint* entry : stepList)
    {
        const u32 rows = entry->GetRows();
        if (rows == 0)
            continue;
        RigidBody* body1 = entry->GetBody1();
        RigidBody* body2 = entry->GetBody2();
        ConstraintRow* records = &solver.GetRecord(first);
        for (u32 k = 0; k < rows; ++k)
        {
            // Rows mostly keep their bodies from one pass to the next: no counting then.
            ConstraintRow& record = records[k];
            if (record.body1 != body1)
                record.body1 = body1;
            if (record.body2 != body2)
                record.body2 = body2;
        }
        if (!entry->FillsWholeBlock())
            solver.ClearRows(first, rows);
        entry->FillRows(solver.GetRowBlock(first));
        for (u32 k = 0; k < rows; ++k)
        {
            ConstraintRow& record = records[k];
            const i32 local = record.normalRow;
            record.normalRow = local < 0 || u32(local) >= rows ? -1 : local + i32(first);
        }
        first += rows;
    }
}

void PhysicsEngine::AttachAccumulators()
{
    for (u32 i = 0; i < constrainedBodies.size(); ++i)
        constrainedBodies[i]->SetAccumulator(solver.GetAccumulator(i));
}

void PhysicsEngine::DetachAccumulators()
{
    for (const Core::RefPtr<RigidBody>& body : constrainedBodies)
        body->SetAccumulator(nullptr);
}

void PhysicsEngine::Update(float dt)
{
    SetStep(dt);
    // A loaded joint writes its saved flag into the global; the velocity pass is never a position pass.
    solver.SetPositionPass(false);
    const float h = SimulationStep;
    BuildStepList(false);
    CollectConstrainedBodies();
    PrepareRows();
    for (const Core::RefPtr<RigidBody>& body : bodies)
    {
        if (body)
            body->AccumulateForces(h);
    }
    FillRows();
    AttachAccumulators();
    solver.Solve();
    for (const Core::RefPtr<RigidBody>& body : bodies)
    {
        if (body)
            body->Integrate(h);
    }
    DetachAccumulators();
    constrainedBodies.clear();
    stepList.clear();
}

void PhysicsEngine::MatchPreviousContacts()
{
    // A new contact keeps, in list order, the previous contacts that share its body 1 as their body 1
    // or its body 2 as their body 2. Chaining the previous contacts by body finds them without walking
    // the whole list for every new contact.
    keptContacts.clear();
    previousByPosition.clear();
    for (const Core::RefPtr<Contact>& old : previousContacts)
        previousByPosition.push_back(old.Get());
    const u32 count = u32(previousByPosition.size());
    nextWithBody1.resize(count);
    nextWithBody2.resize(count);
    kept.assign(count, 0);
    const u32 chained = NextMark();
    auto chain = [chained](RigidBody* body) {
        if (body->matchMark != chained)
        {
            body->matchMark = chained;
            body->firstAsBody1 = NoContact;
            body->firstAsBody2 = NoContact;
        }
        return body;
    };
    for (u32 position = count; position-- > 0;)
    {
        const Contact* old = previousByPosition[position];
        RigidBody* body1 = chain(old->GetBody1());
        nextWithBody1[position] = body1->firstAsBody1;
        body1->firstAsBody1 = position;
        RigidBody* body2 = chain(old->GetBody2());
        nextWithBody2[position] = body2->firstAsBody2;
        body2->firstAsBody2 = position;
    }

    u32 retained = 0;
    for (const Core::RefPtr<Contact>& fresh : contacts)
    {
        if (retained >= matchTotal)
            break;
        RigidBody* body1 = fresh->GetBody1();
        RigidBody* body2 = fresh->GetBody2();
        u32 first = body1 != staticBody && body1->matchMark == chained ? body1->firstAsBody1 : NoContact;
        u32 second = body2 != staticBody && body2->matchMark == chained ? body2->firstAsBody2 : NoContact;
        u32 retainedHere = 0;
        while (retainedHere < matchPerContact && retained < matchTotal)
        {
            while (first != NoContact && kept[first])
                first = nextWithBody1[first];
            while (second != NoContact && kept[second])
                second = nextWithBody2[second];
            const u32 position = std::min(first, second);
            if (position == NoContact)
                break;
            kept[position] = 1;
            Contact* old = previousByPosition[position];
            old->Prepare();
            keptContacts.emplace_back(old);
            ++retainedHere;
            ++retained;
        }
        // Every contact of a chain before where its walk stopped has been kept.
        if (body1 != staticBody && body1->matchMark == chained)
            body1->firstAsBody1 = first;
        if (body2 != staticBody && body2->matchMark == chained)
            body2->firstAsBody2 = second;
    }
    contacts.insert(contacts.end(), std::make_move_iterator(keptContacts.begin()),
                    std::make_move_iterator(keptContacts.end()));
    keptContacts.clear();
    previousContacts.clear();
    previousByPosition.clear();
}

void PhysicsEngine::PostCollisionUpdate(float dt)
{
    SetStep(dt);
    const float h = SimulationStep;
    solver.SetPositionPass(true);

    previousContacts.clear();
    previousContacts.swap(contacts);
    if (contactListUpdate)
        contactListUpdate(this, contactListUpdateData);
    MatchPreviousContacts();

    BuildStepList(true);
    CollectConstrainedBodies();
    PrepareRows();
    for (const Core::RefPtr<RigidBody>& body : bodies)
    {
        if (body)
            body->ClearForceSums();
    }
    FillRows();
    AttachAccumulators();
    solver.Solve();

    const float stepSquared = h * h;
    for (const Core::RefPtr<RigidBody>& body : constrainedBodies)
    {
        const float* a = body->GetAccumulator();
        body->MovePose(Math::Vector2D(a[0] * stepSquared, a[1] * stepSquared), a[2] * stepSquared);
        body->UpdateTransform(true);
        body->SetAccumulator(nullptr);
    }

    for (const Core::RefPtr<Contact>& contact : contacts)
    {
        contact->Prepare();
        contact->SetDepth(contact->UpdateDepth());
    }
    stepList.clear();
    touchedBodies.clear();
    solver.SetPositionPass(false);
}
} // namespace Physics2D
