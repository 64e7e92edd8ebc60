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
    <message>
        <source>%1 is already running for this device.</source>
        <translation>%1 läuft bereits für dieses Gerät.</translation>
    </message>
    <message>
        <source>It did not answer; close it, or wait until it has started, and try again.</source>
        <translation>Es hat nicht geantwortet; schließen Sie es oder warten Sie, bis es gestartet ist, und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>CartridgeAlignMFP</name>
    <message>
        <source>Print Page</source>
        <translation>Seite drucken</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>CartridgeAlignMFPBase</name>
    <message>
        <source>Ink Cartridge Alignment</source>
        <translation>Tintenpatronen ausrichten</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Print cartridge alignment ensures the best possible print quality.</source>
        <translation>Das Ausrichten der Druckpatronen sorgt für die bestmögliche Druckqualität.</translation>
    </message>
    <message>
        <source>To perform an alignment, you need the page that is automatically printed after you insert a print cartridge. If you do not have this alignment page, click Print Page to generate the page.</source>
        <translation>Zum Ausrichten benötigen Sie die Seite, die nach dem Einsetzen einer Druckpatrone automatisch gedruckt wird. Wenn Sie diese Ausrichtungsseite nicht haben, klicken Sie auf „Seite drucken“, um sie zu erzeugen.</translation>
    </message>
    <message>
        <source>If you already have the page, click Continue.</source>
        <translation>Wenn Sie die Seite bereits haben, klicken Sie auf „Weiter“.</translation>
    </message>
    <message>
        <source>Follow these steps to perform the alignment.</source>
        <translation>Führen Sie die folgenden Schritte aus, um die Patronen auszurichten.</translation>
    </message>
    <message>
        <source>1. Place the alignment page, with the patterns facing down, at the front left corner on the scanner glass.</source>
        <translation>1. Legen Sie die Ausrichtungsseite mit den Mustern nach unten in die vordere linke Ecke des Scannerglases.</translation>
    </message>
    <message>
        <source>2. Press the &quot;Scan&quot; button on your MFP until turn on the light.</source>
        <translation>2. Drücken Sie die Taste „Scannen“ am Multifunktionsgerät, bis die Leuchte angeht.</translation>
    </message>
    <message>
        <source>During alignment the green light will blink. When the process is complete the light will stop blinking and remain green.</source>
        <translation>Während des Ausrichtens blinkt die grüne Leuchte. Wenn der Vorgang abgeschlossen ist, hört sie auf zu blinken und leuchtet dauerhaft grün.</translation>
    </message>
</context>
<context>
    <name>CartridgeAlignSFP</name>
    <message>
        <source>Align</source>
        <translation>Ausrichten</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>CartridgeAlignSFPBase</name>
    <message>
        <source>Ink Cartridge Alignment</source>
        <translation>Tintenpatronen ausrichten</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>This procedure aligns the print cartridges to give you the best possible print quality.</source>
        <translation>Dieser Vorgang richtet die Druckpatronen aus, damit Sie die bestmögliche Druckqualität erhalten.</translation>
    </message>
    <message>
        <source>You may not notice misalignment, but you should align each time a print cartridge is replaced.</source>
        <translation>Eine Fehlausrichtung fällt Ihnen vielleicht nicht auf; richten Sie die Patronen trotzdem nach jedem Patronenwechsel aus.</translation>
    </message>
    <message>
        <source>Click &quot;Align&quot; to align the print cartridges now. This takes about some minutes and uses two sheets of paper.</source>
        <translation>Klicken Sie auf „Ausrichten“, um die Druckpatronen jetzt auszurichten. Das dauert einige Minuten und verbraucht zwei Blatt Papier.</translation>
    </message>
    <message>
        <source>A page is printing with sets of alignment patterns.</source>
        <translation>Eine Seite mit mehreren Gruppen von Ausrichtungsmustern wird gedruckt.</translation>
    </message>
    <message>
        <source>Select the arrow label which is closest to left side of page.</source>
        <translation>Wählen Sie die Pfeilmarkierung, die dem linken Seitenrand am nächsten liegt.</translation>
    </message>
    <message>
        <source>Examine the page and select the best aligned pattern in each set then click &quot;Continue&quot;.</source>
        <translation>Prüfen Sie die Seite, wählen Sie in jeder Gruppe das am besten ausgerichtete Muster und klicken Sie dann auf „Weiter“.</translation>
    </message>
    <message>
        <source>A page is printing with two aligned patterns: a square and a cross.</source>
        <translation>Eine Seite mit zwei ausgerichteten Mustern wird gedruckt: einem Quadrat und einem Kreuz.</translation>
    </message>
    <message>
        <source>If the patterns look like the example on the left, click &quot;Done&quot;. Otherwise click &quot;Align&quot; to repeat the alignment.</source>
        <translation>Wenn die Muster wie das Beispiel links aussehen, klicken Sie auf „Fertig“. Andernfalls klicken Sie auf „Ausrichten“, um das Ausrichten zu wiederholen.</translation>
    </message>
</context>
<context>
    <name>CartridgeClean</name>
    <message>
        <source>Clean</source>
        <translation>Reinigen</translation>
    </message>
    <message>
        <source>Clean Again</source>
        <translation>Erneut reinigen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>CartridgeCleanBase</name>
    <message>
        <source>Ink Cartridge Clean</source>
        <translation>Tintenpatronen reinigen</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>If your printed output is streaked like the example on the left, the print cartridges need to be cleaned. This takes about some minutes and uses one sheet of paper.</source>
        <translation>Wenn Ihre Ausdrucke Streifen wie im Beispiel links zeigen, müssen die Druckpatronen gereinigt werden. Das dauert einige Minuten und verbraucht ein Blatt Papier.</translation>
    </message>
    <message>
        <source>Click Clean to clean the print cartridges now.</source>
        <translation>Klicken Sie auf „Reinigen“, um die Druckpatronen jetzt zu reinigen.</translation>
    </message>
    <message>
        <source>A page is printing that shows the results of this stage of cleaning.</source>
        <translation>Eine Seite wird gedruckt, die das Ergebnis dieses Reinigungsschritts zeigt.</translation>
    </message>
    <message>
        <source>If the print quality looks good, click Done.</source>
        <translation>Wenn die Druckqualität gut aussieht, klicken Sie auf „Fertig“.</translation>
    </message>
    <message>
        <source>Otherwise, click Clean Again to clean the print cartridges again. If that does not fix the problem, replace the print cartridges.</source>
        <translation>Andernfalls klicken Sie auf „Erneut reinigen“, um die Druckpatronen noch einmal zu reinigen. Behebt das den Fehler nicht, ersetzen Sie die Druckpatronen.</translation>
    </message>
</context>
<context>
    <name>CommandStatusLabel</name>
    <message>
        <source>The device did not take the command: %1</source>
        <translation>Das Gerät hat den Befehl nicht angenommen: %1</translation>
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
    <name>Configurator</name>
    <message>
        <source>The description file %1 cannot be opened.</source>
        <translation>Die Beschreibungsdatei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The description is empty.</source>
        <translation>Die Beschreibung ist leer.</translation>
    </message>
    <message>
        <source>There is no device node %1.</source>
        <translation>Die Gerätedatei %1 gibt es nicht.</translation>
    </message>
    <message>
        <source>Permission denied on the device node %1: the user needs read and write access to it (usually through the group that owns it).</source>
        <translation>Zugriff auf die Gerätedatei %1 verweigert: Der Benutzer braucht Lese- und Schreibrechte darauf (meist über die Gruppe, der sie gehört).</translation>
    </message>
    <message>
        <source>The device did not answer within %1 ms.</source>
        <translation>Das Gerät hat nicht innerhalb von %1 ms geantwortet.</translation>
    </message>
    <message>
        <source>The description is not valid XML: %1 (line %2, column %3).</source>
        <translation>Die Beschreibung ist kein gültiges XML: %1 (Zeile %2, Spalte %3).</translation>
    </message>
    <message>
        <source>The description nests its elements too deeply.</source>
        <translation>Die Beschreibung verschachtelt ihre Elemente zu tief.</translation>
    </message>
    <message>
        <source>The description has no root/PrinterSettingsInfo element.</source>
        <translation>Die Beschreibung hat kein Element root/PrinterSettingsInfo.</translation>
    </message>
    <message>
        <source>The description holds no usable settings.</source>
        <translation>Die Beschreibung enthält keine verwendbaren Einstellungen.</translation>
    </message>
</context>
<context>
    <name>DevicePicker</name>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Choose the device to set up:</source>
        <translation>Wählen Sie das Gerät, das Sie einrichten möchten:</translation>
    </message>
    <message>
        <source>No printer was found.</source>
        <translation>Es wurde kein Drucker gefunden.</translation>
    </message>
    <message>
        <source>Check that the device is connected by USB and switched on, and that its node appears under %1 (lp0, lp1, ...). &apos;velmoractl doctor /dev/usb/lp0&apos; says what stands in the way of a node.</source>
        <translation>Prüfen Sie, ob das Gerät über USB angeschlossen und eingeschaltet ist und ob sein Geräteknoten unter %1 erscheint (lp0, lp1, ...). &apos;velmoractl doctor /dev/usb/lp0&apos; sagt, was einem Geräteknoten im Weg steht.</translation>
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
    <name>LinkFailure</name>
    <message>
        <source>The device cannot be opened.</source>
        <translation>Das Gerät kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The device did not take the request in time.</source>
        <translation>Das Gerät hat die Anfrage nicht rechtzeitig angenommen.</translation>
    </message>
    <message>
        <source>The device did not answer in time.</source>
        <translation>Das Gerät hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The device went away during the exchange.</source>
        <translation>Die Verbindung zum Gerät ist während des Austauschs abgebrochen.</translation>
    </message>
    <message>
        <source>The device gave an answer of the wrong size (%1 bytes).</source>
        <translation>Das Gerät hat eine Antwort falscher Größe gegeben (%1 Byte).</translation>
    </message>
    <message>
        <source>The device announced an empty description.</source>
        <translation>Das Gerät hat eine leere Beschreibung angekündigt.</translation>
    </message>
    <message>
        <source>The device announced a description of %1 bytes; at most %2 are accepted.</source>
        <translation>Das Gerät hat eine Beschreibung von %1 Byte angekündigt; höchstens %2 Byte werden angenommen.</translation>
    </message>
    <message>
        <source>The device refused the changes (status %1).</source>
        <translation>Das Gerät hat die Änderungen abgelehnt (Status %1).</translation>
    </message>
    <message>
        <source>The device is busy: another program is using it.</source>
        <translation>Das Gerät ist belegt: ein anderes Programm verwendet es.</translation>
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
    <name>SettingsDialog</name>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The following settings cannot be validated and will have empty values:

</source>
        <translation>Die folgenden Einstellungen können nicht geprüft werden und erhalten leere Werte:

</translation>
    </message>
    <message>
        <source>The printer did not take the settings.

%1</source>
        <translation>Der Drucker hat die Einstellungen nicht angenommen.

%1</translation>
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
<context>
    <name>Ui_SettingsDialog</name>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Complited Job</source>
        <translation>Abgeschlossene Aufträge</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Event log</source>
        <translation>Ereignisprotokoll</translation>
    </message>
    <message>
        <source>Demo Page</source>
        <translation>Demoseite</translation>
    </message>
    <message>
        <source>Stored Job list</source>
        <translation>Gespeicherte Aufträge</translation>
    </message>
    <message>
        <source>Usage Page</source>
        <translation>Nutzungsseite</translation>
    </message>
    <message>
        <source>Duplex</source>
        <translation>Duplex</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Kopien</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>Ränder</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
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
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
</TS>
