// A host that records what the show asks of it, for unit tests and gltrace.
//
// Effect base construction and destruction, registration, start-up calls and
// texture calls are appended to one event list in the order they happen.
// LoadTexture hands out names 1, 2, 3, ...; LoadFile serves files put in with
// SetFakeFile. RunApp runs whatever the test installed with SetFakeRunApp.
#pragma once

#include "host/DemoGL.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct FakeHostEvent {
    std::string call;      // "CEffect", "~CEffect", "RegisterEffect", "LoadTexture", ...
    std::string detail;    // arguments as text: "BGDING", "quorfoto.jpg, 1, 10497, ..."
    const CEffect* effect; // the object, for the effect and registration events
};

struct FakeRegistration {
    std::string name;
    CEffect* effect;
};

void ResetFakeHost();
const std::vector<FakeHostEvent>& FakeHostEvents();
std::vector<std::string> FakeHostCalls(std::string_view call); // details of one kind of call
const std::vector<FakeRegistration>& FakeRegistrations();
void SetFakeRunApp(std::function<void(HINSTANCE)> run);
void SetFakeFile(std::string name, std::string contents);
