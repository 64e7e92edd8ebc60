// The libFuzzer side of every fuzz target: the application object, made once
// on the offscreen platform before the first input, and each input handed to
// the target's entry of the harness (VELMORA_FUZZ_ENTRY, set by the build).
#include "fuzz/harness.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Qt's font, glyph and style caches last as long as the process and are still
// held when the leak check looks at the end; they are not the program's to free.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\n"
           "leak:libfreetype.so\nleak:libharfbuzz.so\nleak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication application(*argc, *argv);
    SetUpFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    (void)VELMORA_FUZZ_ENTRY(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
