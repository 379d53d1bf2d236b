// What the host operations (LoadFile, LoadTexture, UploadTexture, ...) work on
// while a show runs. The show session installs its stores for its lifetime;
// the audio layer learns the sizes of loaded files through them too.
#pragma once

class FileStore;
class TextureStore;

// Null uninstalls; the operations then say so in one line and return nothing.
void InstallHostServices(FileStore* files, TextureStore* textures);
