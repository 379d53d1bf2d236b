// What the host operations (LoadFile, LoadTexture, UploadTexture, ...) work on
// while a show runs. The show runner installs its own; render tests install
// theirs to run effects on a real GL without the rest of the show.
#pragma once

class FileStore;
class TextureStore;

// Null uninstalls; the operations then say so in one line and return nothing.
void InstallHostServices(FileStore* files, TextureStore* textures);
