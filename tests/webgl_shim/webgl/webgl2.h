// The stand-in's WebGL 2 calls are in webgl1.h.
#pragma once
