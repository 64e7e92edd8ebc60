<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>@default</name>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Copyright (c) The Velmora Authors. All rights reserved.</source>
        <translation>Copyright (c) Die Velmora-Autoren. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Cannot get printer settings!</source>
        <translation>Die Druckereinstellungen können nicht gelesen werden!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>ConcreteElement</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid entry for &apos;%2&apos;. Please specify another value</source>
        <translation>&apos;%1&apos; ist kein gültiger Eintrag für &apos;%2&apos;. Bitte geben Sie einen anderen Wert an</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid entry. Please specify another value</source>
        <translation>&apos;%1&apos; ist kein gültiger Eintrag. Bitte geben Sie einen anderen Wert an</translation>
    </message>
</context>
<context>
    <name>Element</name>
    <message>
        <source>Unknown control type</source>
        <translation>Unbekannter Steuerelementtyp</translation>
    </message>
</context>
<context>
    <name>ListElement</name>
    <message>
        <source>Unknown parameter</source>
        <translation>Unbekannter Parameter</translation>
    </message>
</context>
<context>
    <name>Ui_PopupForm</name>
    <message>
        <source>PopupForm</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Printer Default</source>
        <translation>Werkseinstellung</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
