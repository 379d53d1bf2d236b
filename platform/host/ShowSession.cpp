#include "platform/host/ShowSession.h"

#include "host/DemoGL.h"
#include "platform/host/HostServices.h"
#include "platform/host/gl/FrameState.h"
#include "platform/win/WinHostControl.h"

std::unique_ptr<ShowSession> ShowSession::Open(Plan plan, std::string* error) {
    std::unique_ptr<ShowSession> session(new ShowSession);
    if (!session->BringUp(plan, error)) {
        return nullptr;
    }
    return session;
}

bool ShowSession::BringUp(Plan& plan, std::string* error) {
    source_ = std::move(plan.source);
    surface_ = plan.makeSurface(error);
    if (!surface_) {
        return false;
    }
    SetForegroundWindowHandle(surface_->NativeWindow());
    files_ = std::make_unique<FileStore>(*source_);
    textures_ = std::make_unique<TextureStore>(*source_);
    InstallHostServices(files_.get(), textures_.get());
    ChooseOutput(plan.output);

    // Black while loading; Esc or closing the window ends it between effects.
    surface_->BeginFrame();
    ResetFrameState(surface_->DrawingArea());
    surface_->Present();
    const Viewport area = surface_->DrawingArea();
    for (CEffect* effect : plan.effects) {
        if (surface_->QuitRequested()) {
            interrupted_ = true;
            return true;
        }
        if (effect != nullptr) {
            effect->Init(area.width, area.height);
        }
    }
    if (plan.timeline) {
        scheduler_ = std::make_unique<Scheduler>(*plan.timeline, plan.effects);
        frames_ = std::make_unique<FrameStep>(*surface_, *scheduler_, plan.fixedStepClock);
    }
    return true;
}

// Each step undone in the reverse of BringUp, whatever it reached.
ShowSession::~ShowSession() {
    if (scheduler_) {
        scheduler_->StopAll();
    }
    frames_.reset();
    scheduler_.reset();
    // The services were installed with the stores, and the output chosen: a
    // show that ran no Deactivate (a check) leaves its device open.
    if (textures_) {
        CloseOpenDevice();
        ChooseOutput(OutputChoice::Device);
        InstallHostServices(nullptr, nullptr);
    }
    // Textures need the context: they go before the surface.
    textures_.reset();
    files_.reset();
    if (surface_) {
        SetForegroundWindowHandle(nullptr);
        ReleaseMillisecondClock();
    }
    surface_.reset();
    source_.reset();
}
