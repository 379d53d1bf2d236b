// The host library as the effects and the entry point use it: the effect base
// class and the host operations, with the argument lists the show passes.
//
// The host owns the window, the GL context, the timeline script and all file
// access. Effects never include anything from platform/host.
#pragma once

#include "platform/win/WinApi.h"

// Base of every effect. The host calls, per effect: Init once before anything
// else, Activate before the first RenderFrame of a run, RenderFrame once per
// frame while the script runs the effect, Deactivate after its last frame.
class CEffect {
  public:
    CEffect();
    virtual ~CEffect();
    virtual int Init(int width, int height) = 0;
    virtual void RenderFrame(int timeMs) = 0;
    virtual void ReceiveParam(char* param);
    virtual void Activate() = 0;
    virtual void Deactivate() = 0;

    CEffect(const CEffect&) = delete;
    CEffect& operator=(const CEffect&) = delete;
};

// Results are returned for completeness; the show ignores every one of them.
int OverruleDefaults(int unused1, int unused2, const char* dataDirectory, const char* archive,
                     const char* script, int unused3, int unused4, int unused5, int unused6,
                     int unused7);
int RegisterEffect(CEffect* effect, const char* name);
int SetStartupDialogVars(const char* title, const char* makers, int value1, int value2, int value3,
                         int value4, int value5);
int RunApp(HINSTANCE instance, const char* title, int value1, int value2, int value3);
void EndApp();

// The whole file in memory, kept until exit; null when it cannot be read.
void* LoadFile(const char* name);

// Returns a texture handle that is also the GL texture name. a = 1: each texel's
// alpha is its brightness; b = 1: alpha is opaque.
unsigned int LoadTexture(const char* name, int unused1, int wrapS, int wrapT, int minFilter,
                         int magFilter, int unused2, int a, int unused3, int b);
int UploadTexture(unsigned int texture);
int UnUploadTexture(unsigned int texture);
