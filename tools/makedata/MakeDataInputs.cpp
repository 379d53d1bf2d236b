#include "tools/makedata/MakeDataInputs.h"

#include <stdexcept>

void CheckMakeDataInputs(const MakeDataInputs& inputs, bool needScript) {
    if (needScript && !std::filesystem::is_regular_file(inputs.scriptFile)) {
        throw std::runtime_error("script: [" + inputs.scriptFile.string() + "] cannot be read");
    }
    if (!std::filesystem::is_directory(inputs.fontDirectory)) {
        throw std::runtime_error("font: [" + inputs.fontDirectory.string() +
                                 "] is not a folder of fonts");
    }
}
