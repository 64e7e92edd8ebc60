#pragma once

#include <QString>

class SettingsParser;

// Where the translation documents live, below the program directory: one
// folder per language code holding vlm_<code>.xml.
inline constexpr char TranslationFolderBase[] = "../share/translation/";
// The program's own compiled catalogues (velmora_<code>.qm).
inline constexpr char ProgramCatalogueFolder[] = "../share/i18n";

// Gives the parsed model the texts of the system language: picks the
// translation document for the code of GetSystemLocale (falling back to en),
// runs the parser's translate pass with it and writes the document back, so
// the file collects the keys still missing. With no en folder either, the
// texts stay as the description gave them. Returns true when a document
// was used.
bool LocalizeSettings(SettingsParser &parser, const QString &programDir);

// Loads the program's own catalogue and, when it is installed, Qt's
// catalogue of its standard texts, for the language whose translation
// document LocalizeSettings picks for the code (en when the code has no
// folder); both stay in force for the rest of the run. Returns how many
// were loaded.
int InstallProgramTranslations(const QString &programDir, const QString &code);
