#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "velloran/foundations/errors.h"
#include "velloran/platform/component.h"
#include "velloran/platform/form.h"

using namespace vl;

namespace {

using TLog = std::vector<std::string>;

std::string Utf8(const String& s) { return std::string(s.begin(), s.end()); }

// Records Loaded and notifications; may hold a reference to another
// component that it clears on removal, as library components must.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, TLog* log, const char16_t* name) : TComponent(AOwner), FLog(log) {
        SetName(name);
        DesignedAtBirth = Designing();
    }
    ~TProbe() override {
        // Touches the reference: freed targets must have been cleared.
        if (Ref) FLog->push_back(Utf8(Name()) + " sees " + Utf8(Ref->Name()));
        FLog->push_back("free " + Utf8(Name()));
    }
    void Loaded() override {
        TComponent::Loaded();
        FLog->push_back("loaded " + Utf8(Name()));
        if (OnLoaded) OnLoaded();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && AComponent == Ref) Ref = nullptr;
        // The removed component must still be whole when we hear of it.
        const bool whole = dynamic_cast<TProbe*>(AComponent) != nullptr;
        if (Operation == TOperation::opRemove && AComponent != this)
            FLog->push_back(Utf8(Name()) + (whole ? " hears -" : " hears partial -") + Utf8(AComponent->Name()));
    }
    TComponent* Ref = nullptr;
    bool DesignedAtBirth = false;
    std::function<void()> OnLoaded;

private:
    TLog* FLog;
};

} // namespace

TEST(Component, OwnerKeepsOrderAndReportsIndexErrors) {
    TLog log;
    TForm form;
    auto* a = NewComponent<TProbe>(form, &log, u"A");
    auto* b = NewComponent<TProbe>(form, &log, u"B");
    auto* c = NewComponent<TProbe>(form, &log, u"C");
    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(1), b);
    EXPECT_EQ(c->ComponentIndex(), 2);
    EXPECT_EQ(a->Owner(), &form);
    EXPECT_EQ(form.FindComponent(u"b"), b);
    EXPECT_EQ(form.FindComponent(u"D"), nullptr);
    EXPECT_THROW(form.Components(3), EListError);
    EXPECT_THROW(form.Components(-1), EListError);

    c->SetComponentIndex(0);
    EXPECT_EQ(form.Components(0), c);
    EXPECT_EQ(a->ComponentIndex(), 1);

    // Names are unique per owner, regardless of case.
    EXPECT_THROW(b->SetName(u"a"), EComponentError);
    EXPECT_EQ(b->Name(), u"B");
    EXPECT_THROW(NewComponent<TProbe>(form, &log, u"C"), EComponentError);
    EXPECT_EQ(form.ComponentCount(), 3);

    TComponent ownerless;
    EXPECT_EQ(ownerless.ComponentIndex(), -1);
}

TEST(Component, DestructionFreesLastFirstAndClearsReferences) {
    TLog log;
    {
        TForm form;
        auto* a = NewComponent<TProbe>(form, &log, u"A");
        auto* b = NewComponent<TProbe>(form, &log, u"B");
        NewComponent<TProbe>(form, &log, u"C");
        a->Ref = b; // B goes before A: A must forget it in time
        log.clear();
    }
    const TLog expected = {"B hears -C", "A hears -C", "free C",  "A hears -B",
                           "free B",     "free A"};
    EXPECT_EQ(log, expected);
}

TEST(Component, RemovalAndDeletionNotifyTheOthers) {
    TLog log;
    TForm form;
    auto* a = NewComponent<TProbe>(form, &log, u"A");
    auto* b = NewComponent<TProbe>(form, &log, u"B");
    a->Ref = b;
    log.clear();

    std::unique_ptr<TComponent> taken = form.RemoveComponent(b);
    ASSERT_EQ(taken.get(), b);
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_EQ(a->Ref, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.RemoveComponent(b), nullptr);

    // Back in, then freed directly: the owner lets go without a double free.
    // The others hear of it only after B's own part is gone.
    form.InsertComponent(std::move(taken));
    a->Ref = b;
    delete b;
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(a->Ref, nullptr);
    EXPECT_EQ(log.back(), "A hears partial -B");
}

TEST(Component, FreeNotificationWorksAcrossOwnersInBothOrders) {
    TLog log;
    TForm form1;
    auto* a = NewComponent<TProbe>(form1, &log, u"A");
    {
        TForm form2;
        auto* b = NewComponent<TProbe>(form2, &log, u"B");
        b->FreeNotification(a);
        a->Ref = b;
    }
    EXPECT_EQ(a->Ref, nullptr);

    // The subscriber goes first: the other side must not keep a stale link.
    auto* c = NewComponent<TProbe>(form1, &log, u"C");
    {
        TForm form2;
        auto* d = NewComponent<TProbe>(form2, &log, u"D");
        d->FreeNotification(c);
        delete c;
    } // D's destruction would touch C here if the link survived
    SUCCEED();
}

TEST(Component, DesigningIsInheritedByConstructionAndInsertion) {
    TLog log;
    TForm form;
    form.SetDesigning(true);
    auto* a = NewComponent<TProbe>(form, &log, u"A");
    EXPECT_TRUE(a->DesignedAtBirth);
    EXPECT_TRUE(a->Designing());
    auto plain = std::make_unique<TComponent>();
    EXPECT_FALSE(plain->Designing());
    TComponent* p = form.InsertComponent(std::move(plain));
    EXPECT_TRUE(p->Designing());
    form.SetDesigning(false);
    EXPECT_FALSE(a->Designing());
}

TEST(Component, FinishLoadingCallsLoadedInComponentOrder) {
    TLog log;
    TForm form;
    form.BeginLoading();
    auto* a = NewComponent<TProbe>(form, &log, u"A");
    auto* b = NewComponent<TProbe>(form, &log, u"B");
    auto* c = NewComponent<TProbe>(form, &log, u"C");
    EXPECT_TRUE(a->Loading());
    // A makes a component while loading (as a draw box makes its own
    // document) and frees C: neither may receive Loaded.
    a->OnLoaded = [&] {
        NewComponent<TProbe>(form, &log, u"D");
        delete c;
    };
    b->SetComponentIndex(0);
    form.FinishLoading();
    TLog calls;
    for (const auto& line : log)
        if (line.find("hears") == std::string::npos) calls.push_back(line);
    const TLog expected = {"loaded B", "loaded A", "free C"};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(form.Loading());
    EXPECT_FALSE(a->Loading());
    EXPECT_FALSE(form.FindComponent(u"D")->Loading());
}
