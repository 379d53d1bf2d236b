#include "app/DemoMain.h"
#include "tools/gltrace/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// The orders every effect of the show is created and registered in.
const std::vector<std::string> kCreationOrder = {"FLARE",  "BGDING", "GREETS", "WOBBEL", "INOOP2",
                                                 "INOOP3", "INOOP4", "LOGO",   "WORTEL", "BASS"};
const std::vector<std::string> kRegistrationOrder = {
    "BASS", "FLARE", "BGDING", "GREETS", "WOBBEL", "INOOP2", "INOOP3", "INOOP4", "LOGO", "WORTEL"};

class DemoMainTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFakeHost(); }

    // The show leaves its effects to process exit; a test process runs many
    // shows, so it reclaims them itself.
    void TearDown() override {
        std::vector<const CEffect*> destroyed;
        for (const FakeHostEvent& event : FakeHostEvents()) {
            if (event.call == "~CEffect") {
                destroyed.push_back(event.effect);
            }
        }
        const std::vector<FakeRegistration> registrations = FakeRegistrations();
        for (const FakeRegistration& registration : registrations) {
            if (std::find(destroyed.begin(), destroyed.end(), registration.effect) ==
                destroyed.end()) {
                delete registration.effect;
            }
        }
    }

    int RunShow() {
        ProgramInstance instance{0, nullptr};
        return DemoMain(&instance);
    }

    // Calls in order, without the per-object base events.
    std::vector<std::string> HostCallOrder() const {
        std::vector<std::string> calls;
        for (const FakeHostEvent& event : FakeHostEvents()) {
            if (event.call != "CEffect" && event.call != "~CEffect" &&
                event.call != "RegisterEffect") {
                calls.push_back(event.call);
            }
        }
        return calls;
    }
};

TEST_F(DemoMainTest, ConfiguresTheHostAndHandsOverOnceAShowThatEndsAtOnceIsDone) {
    EXPECT_EQ(RunShow(), 0);
    EXPECT_EQ(HostCallOrder(), (std::vector<std::string>{"OverruleDefaults", "SetStartupDialogVars",
                                                         "RunApp", "EndApp"}));
    EXPECT_EQ(FakeHostCalls("OverruleDefaults"),
              std::vector<std::string>{"0, 2, demodat, demodat.zip, script.txt, 0, 0, 0, 0, 0"});
    EXPECT_EQ(FakeHostCalls("SetStartupDialogVars"),
              std::vector<std::string>{"quorvel 8, tarvendolk, 0, 1, 1, 1, 0"});
    EXPECT_EQ(FakeHostCalls("RunApp"), std::vector<std::string>{"quorvel 8, 0, 0, 0"});
}

TEST_F(DemoMainTest, CreatesAllBeforeRegisteringAndRegistersInTheShowsOrder) {
    RunShow();
    std::vector<const CEffect*> created;
    std::vector<std::string> eventOrder;
    for (const FakeHostEvent& event : FakeHostEvents()) {
        if (event.call == "CEffect") {
            created.push_back(event.effect);
        }
        if (event.call == "CEffect" || event.call == "RegisterEffect") {
            eventOrder.push_back(event.call);
        }
    }
    std::vector<std::string> registered;
    std::map<const CEffect*, std::string> nameOf;
    for (const FakeRegistration& registration : FakeRegistrations()) {
        ASSERT_NE(registration.effect, nullptr) << registration.name;
        registered.push_back(registration.name);
        nameOf[registration.effect] = registration.name;
    }
    EXPECT_EQ(registered, kRegistrationOrder);

    std::vector<std::string> creation;
    for (const CEffect* effect : created) {
        creation.push_back(nameOf.at(effect));
    }
    EXPECT_EQ(creation, kCreationOrder);

    // Every object exists before the first registration.
    const auto firstRegistration =
        std::find(eventOrder.begin(), eventOrder.end(), "RegisterEffect");
    EXPECT_EQ(std::count(firstRegistration, eventOrder.end(), "CEffect"), 0);
}

TEST_F(DemoMainTest, NoEffectIsInitialisedOrDestroyedOutsideTheShow) {
    SetFakeRunApp([](HINSTANCE) {});
    RunShow();
    EXPECT_TRUE(FakeHostCalls("LoadTexture").empty());
    // Only FLARE is ever destroyed, after EndApp; the others live to process exit.
    const auto& events = FakeHostEvents();
    const auto endApp = std::find_if(events.begin(), events.end(),
                                     [](const FakeHostEvent& e) { return e.call == "EndApp"; });
    ASSERT_NE(endApp, events.end());
    std::vector<std::string> destroyed;
    for (auto it = events.begin(); it != events.end(); ++it) {
        if (it->call == "~CEffect") {
            EXPECT_GT(it, endApp);
            for (const FakeRegistration& registration : FakeRegistrations()) {
                if (registration.effect == it->effect) {
                    destroyed.push_back(registration.name);
                }
            }
        }
    }
    EXPECT_EQ(destroyed, std::vector<std::string>{"FLARE"});
}

} // namespace
