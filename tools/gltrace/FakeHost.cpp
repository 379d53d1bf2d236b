#include "tools/gltrace/FakeHost.h"

#include <map>
#include <utility>

namespace {

struct FakeHostState {
    std::vector<FakeHostEvent> events;
    std::vector<FakeRegistration> registrations;
    std::function<void(HINSTANCE)> runApp;
    std::map<std::string, std::string, std::less<>> files;
    unsigned int nextTexture = 1;
};

FakeHostState& State() {
    static FakeHostState state;
    return state;
}

void Record(std::string call, std::string detail, const CEffect* effect = nullptr) {
    State().events.push_back({std::move(call), std::move(detail), effect});
}

std::string Join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty()) {
            out += ", ";
        }
        out += part;
    }
    return out;
}

std::string Text(const char* s) {
    return s != nullptr ? s : "(null)";
}

} // namespace

void ResetFakeHost() {
    State() = FakeHostState{};
}

const std::vector<FakeHostEvent>& FakeHostEvents() {
    return State().events;
}

std::vector<std::string> FakeHostCalls(std::string_view call) {
    std::vector<std::string> details;
    for (const FakeHostEvent& event : State().events) {
        if (event.call == call) {
            details.push_back(event.detail);
        }
    }
    return details;
}

const std::vector<FakeRegistration>& FakeRegistrations() {
    return State().registrations;
}

void SetFakeRunApp(std::function<void(HINSTANCE)> run) {
    State().runApp = std::move(run);
}

void SetFakeFile(std::string name, std::string contents) {
    State().files[std::move(name)] = std::move(contents);
}

CEffect::CEffect() {
    Record("CEffect", "", this);
}

CEffect::~CEffect() {
    Record("~CEffect", "", this);
}

void CEffect::ReceiveParam(char*) {}

int OverruleDefaults(int unused1, int unused2, const char* dataDirectory, const char* archive,
                     const char* script, int unused3, int unused4, int unused5, int unused6,
                     int unused7) {
    Record("OverruleDefaults",
           Join({std::to_string(unused1), std::to_string(unused2), Text(dataDirectory),
                 Text(archive), Text(script), std::to_string(unused3), std::to_string(unused4),
                 std::to_string(unused5), std::to_string(unused6), std::to_string(unused7)}));
    return 1;
}

int RegisterEffect(CEffect* effect, const char* name) {
    Record("RegisterEffect", Text(name), effect);
    State().registrations.push_back({Text(name), effect});
    return 1;
}

int SetStartupDialogVars(const char* title, const char* makers, int value1, int value2, int value3,
                         int value4, int value5) {
    Record("SetStartupDialogVars",
           Join({Text(title), Text(makers), std::to_string(value1), std::to_string(value2),
                 std::to_string(value3), std::to_string(value4), std::to_string(value5)}));
    return 1;
}

int RunApp(HINSTANCE instance, const char* title, int value1, int value2, int value3) {
    Record("RunApp", Join({Text(title), std::to_string(value1), std::to_string(value2),
                           std::to_string(value3)}));
    if (State().runApp) {
        State().runApp(instance);
    }
    return 1;
}

void EndApp() {
    Record("EndApp", "");
}

void* LoadFile(const char* name) {
    Record("LoadFile", Text(name));
    const auto found = State().files.find(Text(name));
    return found == State().files.end() ? nullptr : found->second.data();
}

unsigned int LoadTexture(const char* name, int unused1, int wrapS, int wrapT, int minFilter,
                         int magFilter, int unused2, int a, int unused3, int b) {
    const unsigned int texture = State().nextTexture++;
    Record("LoadTexture",
           Join({Text(name), std::to_string(unused1), std::to_string(wrapS), std::to_string(wrapT),
                 std::to_string(minFilter), std::to_string(magFilter), std::to_string(unused2),
                 std::to_string(a), std::to_string(unused3), std::to_string(b),
                 "-> " + std::to_string(texture)}));
    return texture;
}

int UploadTexture(unsigned int texture) {
    Record("UploadTexture", std::to_string(texture));
    return 1;
}

int UnUploadTexture(unsigned int texture) {
    Record("UnUploadTexture", std::to_string(texture));
    return 1;
}
