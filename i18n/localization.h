#pragma once

#include <QString>

class SettingsParser;

// Where the translation documents live, below the program directory (and,
// for the user's copies, below the user's data folder): one folder per
// language code holding vlm_<code>.xml.
inline constexpr char TranslationFolderBase[] = "../share/velmora/translation/";
inline constexpr char UserTranslationFolder[] = "translation/";
// The program's own compiled catalogues (velmora_<code>.qm).
inline constexpr char ProgramCatalogueFolder[] = "../share/velmora/i18n";

// Gives the parsed model the texts of the system language: picks the
// installed translation document for the code of GetSystemLocale (falling
// back to en) and runs the parser's translate pass with it. Each key is
// looked up in the user's copy under userDir first, then in the installed
// document; the keys found in neither are added to the user's copy, which
// is written back, so it collects what is still to be translated. The
// installed document is never written; with a null userDir nothing is.
// With no en folder either, the texts stay as the description gave them.
// Returns true when a document was used.
bool LocalizeSettings(SettingsParser &parser, const QString &programDir, const QString &userDir);

// Loads the program's own catalogue and, when it is installed, Qt's
// catalogue of its standard texts, for the language whose translation
// document LocalizeSettings picks for the code (en when the code has no
// folder); both stay in force for the rest of the run. Returns how many
// were loaded.
int InstallProgramTranslations(const QString &programDir, const QString &code);
