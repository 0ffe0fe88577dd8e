<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>corvane::Accessible</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>Beschäftigt</translation>
    </message>
    <message>
        <source>Vertical scroll bar</source>
        <translation>Senkrechte Bildlaufleiste</translation>
    </message>
    <message>
        <source>Horizontal scroll bar</source>
        <translation>Waagerechte Bildlaufleiste</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Window size</source>
        <translation>Fenstergröße</translation>
    </message>
    <message>
        <source>level %1</source>
        <translation>Ebene %1</translation>
    </message>
    <message>
        <source>Function menu</source>
        <translation>Funktionsmenü</translation>
    </message>
    <message>
        <source>Next value</source>
        <translation>Nächster Wert</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
</context>
<context>
    <name>corvane::CComSetting</name>
    <message>
        <source>Enter com number...</source>
        <translation>COM-Nummer wählen...</translation>
    </message>
    <message>
        <source>Verbose debug output</source>
        <translation>Ausführliche Debug-Ausgabe</translation>
    </message>
    <message>
        <source>Reopen a COM port that returns</source>
        <translation>Wiederkehrenden COM-Port erneut öffnen</translation>
    </message>
    <message>
        <source>Com setting</source>
        <translation>COM-Einstellung</translation>
    </message>
    <message>
        <source>A device chosen by its name is always reopened when it returns. Saved with OK.</source>
        <translation>Ein nach Namen gewähltes Gerät wird immer erneut geöffnet, wenn es wiederkommt. Gespeichert mit OK.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>Sprache des Systems</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Verbose trace on, written to
%1</source>
        <translation>Ausführlicher Trace an, geschrieben nach
%1</translation>
    </message>
    <message>
        <source>Verbose trace on</source>
        <translation>Ausführlicher Trace an</translation>
    </message>
    <message>
        <source>Verbose trace off: right click
here to switch it on</source>
        <translation>Ausführlicher Trace aus: Rechtsklick
hier schaltet ihn ein</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvListWnd</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvMessageBox</name>
    <message>
        <source>YES</source>
        <translation>JA</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NEIN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>COMPUTER</source>
        <translation>COMPUTER</translation>
    </message>
    <message>
        <source>CORVANE</source>
        <translation>CORVANE</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvNoticeBox</name>
    <message>
        <source>YES</source>
        <translation>JA</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NEIN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvStringWnd</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvaneNewApp</name>
    <message>
        <source>corvane: cannot write the output: %1</source>
        <translation>corvane: die Ausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>corvane: cannot start the demo unit: %1</source>
        <translation>corvane: das Demo-Gerät kann nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>corvane: demo unit on %1</source>
        <translation>corvane: Demo-Gerät an %1</translation>
    </message>
</context>
<context>
    <name>corvane::CCorvaneNewDlg</name>
    <message>
        <source>The application is setted as USB device, but the driver is not installed on the computer</source>
        <translation>Die Anwendung ist auf USB-Gerät eingestellt, aber der Treiber ist auf diesem Computer nicht installiert</translation>
    </message>
    <message>
        <source>The application has detected that a CORVANE with USB is installed on this computer<byte value="xd"/>
 If you set the COM port value to USB, by the COM Setting box, the application will manage your units in a better way<byte value="xd"/>
<byte value="xd"/>
Do you want that the application set it for you now?</source>
        <translation>Die Anwendung hat erkannt, dass auf diesem Computer ein CORVANE mit USB installiert ist.<byte value="xd"/>
 Wenn Sie den COM-Port im Fenster COM-Einstellung auf USB stellen, verwaltet die Anwendung Ihre Geräte besser.<byte value="xd"/>
<byte value="xd"/>
Soll die Anwendung das jetzt für Sie einstellen?</translation>
    </message>
    <message>
        <source>Com setting</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>USB plug events are not followed: %1</source>
        <translation>USB-Steckereignisse werden nicht verfolgt: %1</translation>
    </message>
    <message>
        <source>Cannot write the trace file %1:
%2</source>
        <translation>Die Trace-Datei %1 kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
<byte value="xd"/>
Web site %2<byte value="xd"/>
<byte value="xd"/>
You can read the user&apos;s manual with the command<byte value="xd"/>
 man corvane</source>
        <translation>%1<byte value="xd"/>
<byte value="xd"/>
Webseite %2<byte value="xd"/>
<byte value="xd"/>
Das Handbuch lesen Sie mit dem Befehl<byte value="xd"/>
 man corvane</translation>
    </message>
    <message>
        <source>Lamp: ready</source>
        <translation>Lampe: bereit</translation>
    </message>
    <message>
        <source>Lamp: not ready</source>
        <translation>Lampe: nicht bereit</translation>
    </message>
    <message>
        <source>the window&apos;s place is not remembered: %1</source>
        <translation>die Fensterposition wird nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Do you want to close CORVANE ?</source>
        <translation>Wollen Sie CORVANE schließen?</translation>
    </message>
    <message>
        <source>COM port will be automatically selected for USB devices<byte value="xd"/>
Do you want to continue?</source>
        <translation>Der COM-Port wird für USB-Geräte automatisch gewählt<byte value="xd"/>
Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>Please close and restart the CORVANE application</source>
        <translation>Bitte die CORVANE-Anwendung schließen und neu starten</translation>
    </message>
</context>
<context>
    <name>corvane::CJobsWindow</name>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Aufträge</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Registration, VIN or customer</source>
        <translation>Kennzeichen, FIN oder Kunde</translation>
    </message>
    <message>
        <source>Find a job by registration, VIN or customer</source>
        <translation>Einen Auftrag nach Kennzeichen, FIN oder Kunde suchen</translation>
    </message>
    <message>
        <source>%1 of %2 jobs</source>
        <translation>%1 von %2 Aufträgen</translation>
    </message>
    <message>
        <source>Jobs, newest first</source>
        <translation>Aufträge, neueste zuerst</translation>
    </message>
    <message>
        <source>&amp;New job...</source>
        <translation>&amp;Neuer Auftrag...</translation>
    </message>
    <message>
        <source>&amp;Edit job...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Work on this job</source>
        <translation>&amp;Aktivieren</translation>
    </message>
    <message>
        <source>Save dialogs open in its folder, and every file saved is noted in it</source>
        <translation>Speicherdialoge öffnen in seinem Ordner, und jede gespeicherte Datei wird in ihm vermerkt</translation>
    </message>
    <message>
        <source>No &amp;job</source>
        <translation>&amp;Kein Auftrag</translation>
    </message>
    <message>
        <source>Save as before, in the folder last used</source>
        <translation>Wie bisher speichern, im zuletzt verwendeten Ordner</translation>
    </message>
    <message>
        <source>F&amp;iles</source>
        <translation>&amp;Dateien</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Shows</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Files of the job</source>
        <translation>Dateien des Auftrags</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>A recording in the graph window, a page report as text, others with the desktop&apos;s program</source>
        <translation>Eine Aufzeichnung im Graphenfenster, einen Seitenbericht als Text, andere mit dem Programm des Desktops</translation>
    </message>
    <message>
        <source>Open &amp;folder</source>
        <translation>&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>Customer &amp;report...</source>
        <translation>K&amp;undenbericht...</translation>
    </message>
    <message>
        <source>A PDF for the customer, or print it</source>
        <translation>Ein PDF für den Kunden, oder gedruckt</translation>
    </message>
    <message>
        <source>Works&amp;hop...</source>
        <translation>&amp;Werkstatt...</translation>
    </message>
    <message>
        <source>The workshop&apos;s name, address and logo on customer reports</source>
        <translation>Name, Anschrift und Logo der Werkstatt auf Kundenberichten</translation>
    </message>
    <message>
        <source>No jobs yet: New job... makes one</source>
        <translation>Noch keine Aufträge: Neuer Auftrag... legt einen an</translation>
    </message>
    <message>
        <source>No job matches</source>
        <translation>Kein Auftrag passt</translation>
    </message>
    <message>
        <source>Registration: %1</source>
        <translation>Kennzeichen: %1</translation>
    </message>
    <message>
        <source>VIN: %1</source>
        <translation>FIN: %1</translation>
    </message>
    <message>
        <source>Customer: %1</source>
        <translation>Kunde: %1</translation>
    </message>
    <message>
        <source>Opened: %1</source>
        <translation>Angelegt: %1</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Notiz: %1</translation>
    </message>
    <message>
        <source>The folder %1 is not there any more (renamed or removed).</source>
        <translation>Der Ordner %1 ist nicht mehr da (umbenannt oder entfernt).</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Ordner: %1</translation>
    </message>
    <message>
        <source>%1 (current job)</source>
        <translation>%1 (aktueller Auftrag)</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
</context>
<context>
    <name>corvane::CReadingsGraph</name>
    <message>
        <source>(no unit)</source>
        <translation>(keine Einheit)</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Graph of the readings</source>
        <translation>Graph der Messwerte</translation>
    </message>
    <message>
        <source>Move back through the readings</source>
        <translation>Durch die Messwerte zurückgehen</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>At cursor</source>
        <translation>Am Cursor</translation>
    </message>
    <message>
        <source>At A</source>
        <translation>Bei A</translation>
    </message>
    <message>
        <source>At B</source>
        <translation>Bei B</translation>
    </message>
    <message>
        <source>B - A</source>
        <translation>B - A</translation>
    </message>
    <message>
        <source>Least A..B</source>
        <translation>Kleinster A..B</translation>
    </message>
    <message>
        <source>Greatest A..B</source>
        <translation>Größter A..B</translation>
    </message>
    <message>
        <source>Mean A..B</source>
        <translation>Mittel A..B</translation>
    </message>
    <message>
        <source>Ctrl+C copies the whole table</source>
        <translation>Strg+C kopiert die ganze Tabelle</translation>
    </message>
    <message>
        <source>What the cursors measure</source>
        <translation>Was die Cursor messen</translation>
    </message>
    <message>
        <source>Readings &amp;drawn</source>
        <translation>&amp;Gezeichnete Messwerte</translation>
    </message>
    <message>
        <source>&amp;Time shown</source>
        <translation>Gezeigte &amp;Zeit</translation>
    </message>
    <message>
        <source>30 seconds</source>
        <translation>30 Sekunden</translation>
    </message>
    <message>
        <source>2 minutes</source>
        <translation>2 Minuten</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Alles</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Hold the view while readings go on coming, or follow them again</source>
        <translation>Die Ansicht festhalten, während weiter Messwerte kommen, oder ihnen wieder folgen</translation>
    </message>
    <message>
        <source>Line up starts</source>
        <translation>Anfänge angleichen</translation>
    </message>
    <message>
        <source>Draw the second recording from the first one&apos;s start</source>
        <translation>Die zweite Aufzeichnung ab dem Anfang der ersten zeichnen</translation>
    </message>
    <message>
        <source>Line up at A and B</source>
        <translation>An A und B angleichen</translation>
    </message>
    <message>
        <source>Move the second recording so that its moment under cursor B comes under cursor A (key L)</source>
        <translation>Die zweite Aufzeichnung so verschieben, dass ihr Zeitpunkt unter Cursor B unter Cursor A kommt (Taste L)</translation>
    </message>
    <message>
        <source>Place cursor A on a moment of the first recording and cursor B on the same moment of the second one, then line them up.</source>
        <translation>Cursor A auf einen Zeitpunkt der ersten Aufzeichnung setzen und Cursor B auf denselben Zeitpunkt der zweiten, dann angleichen.</translation>
    </message>
    <message>
        <source>Save picture...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>Save held readings...</source>
        <translation>Gehaltene Messwerte speichern...</translation>
    </message>
    <message>
        <source>Write the readings the graph holds as they came to a CSV recording</source>
        <translation>Die Messwerte des Graphen so, wie sie kamen, in eine CSV-Aufzeichnung schreiben</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Aufzeichnen...</translation>
    </message>
    <message>
        <source>Record the page&apos;s readings to a CSV file</source>
        <translation>Die Messwerte der Seite in eine CSV-Datei aufzeichnen</translation>
    </message>
    <message>
        <source>Readings - %1</source>
        <translation>Messwerte - %1</translation>
    </message>
    <message>
        <source>Follow newest</source>
        <translation>Neuesten folgen</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Cannot write the picture %1: %2</source>
        <translation>Das Bild %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>PNG picture (*.png)|*.png|</source>
        <translation>PNG-Bild (*.png)|*.png|</translation>
    </message>
    <message>
        <source>The graph holds no readings yet.</source>
        <translation>Der Graph hält noch keine Messwerte.</translation>
    </message>
    <message>
        <source>Saved %1 to %2</source>
        <translation>%1 gespeichert in %2</translation>
    </message>
    <message>
        <source>Held readings, %1 (*.csv)|*.csv|</source>
        <translation>Gehaltene Messwerte, %1 (*.csv)|*.csv|</translation>
    </message>
</context>
<context>
    <name>corvane::CTransportTool</name>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>END</source>
        <translation>ENDE</translation>
    </message>
    <message>
        <source>ESC</source>
        <translation>ESC</translation>
    </message>
    <message>
        <source>Back, fast</source>
        <translation>Zurück, schnell</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Back one step</source>
        <translation>Einen Schritt zurück</translation>
    </message>
    <message>
        <source>Forward one step</source>
        <translation>Einen Schritt vor</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Forward, fast</source>
        <translation>Vor, schnell</translation>
    </message>
</context>
<context>
    <name>corvane::CommandLine</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 takes a geometry such as 800x600+20+40, not &apos;%2&apos;</source>
        <translation>%1 nimmt eine Geometrie wie 800x600+20+40, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>unknown option: %1</source>
        <translation>unbekannte Option: %1</translation>
    </message>
    <message>
        <source>--demo and --port cannot be used together</source>
        <translation>--demo und --port können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>--plot shows a recording without a unit: no --demo, --port or --trace with it</source>
        <translation>--plot zeigt eine Aufzeichnung ohne Gerät: kein --demo, --port oder --trace dazu</translation>
    </message>
    <message>
        <source>Try &apos;corvane --help&apos; for more information.</source>
        <translation>&apos;corvane --help&apos; gibt weitere Auskunft.</translation>
    </message>
    <message>
        <source>corvane %1
about box release text: %2</source>
        <translation>corvane %1
Release-Text des Info-Fensters: %2</translation>
    </message>
    <message>
        <source>Usage: corvane [options]
The PC companion of the Corvane diagnostic unit.

  --port PATH    open this serial device instead of the configured port
                 (for example /dev/ttyUSB0, /dev/ttyACM0, a /dev/serial/by-id/ link
                 or a pseudo-terminal)
  --trace FILE   start with the verbose link trace written to FILE
  --demo         start a simulated unit on a pseudo-terminal and connect to it
  --plot FILE [SECOND]
                 show a recording of readings (a CSV file this program wrote) in the
                 graph window, without a unit; a SECOND recording is drawn over it
  --list-ports   list the numbered ports that have a serial chip, then the serial
                 devices present (name, node, stable path, whether they may be
                 opened), and exit
  --help, -h     show this text
  --version, -v  show the version

Qt&apos;s standard options are taken as well, for example -platform NAME (xcb, wayland,
offscreen), -display HOST:SCREEN, -style NAME and -reverse. -qwindowgeometry WxH+X+Y
places the window for this run; otherwise it comes back as it was when the program ended.

The port, the window&apos;s place and the language are kept in $XDG_CONFIG_HOME/corvane.cfg
(default ~/.config/corvane.cfg); the file dialogs&apos; history in $XDG_CONFIG_HOME/QtProject.conf.
</source>
        <translation>Aufruf: corvane [Optionen]
Der PC-Begleiter des Corvane-Diagnosegeräts.

  --port PFAD    dieses serielle Gerät statt des eingestellten Ports öffnen
                 (zum Beispiel /dev/ttyUSB0, /dev/ttyACM0, ein Link unter
                 /dev/serial/by-id/ oder ein Pseudo-Terminal)
  --trace DATEI  mit dem ausführlichen Link-Trace in DATEI starten
  --demo         ein simuliertes Gerät an einem Pseudo-Terminal starten und sich
                 damit verbinden
  --plot DATEI [ZWEITE]
                 eine Aufzeichnung von Messwerten (eine CSV-Datei dieses
                 Programms) im Graphenfenster zeigen, ohne Gerät; eine ZWEITE
                 Aufzeichnung wird darübergezeichnet
  --list-ports   die nummerierten Ports mit seriellem Chip auflisten, dann die
                 vorhandenen seriellen Geräte (Name, Knoten, fester Pfad, ob sie
                 geöffnet werden dürfen), und beenden
  --help, -h     diesen Text zeigen
  --version, -v  die Version zeigen

Die Standardoptionen von Qt werden ebenfalls angenommen, zum Beispiel -platform NAME
(xcb, wayland, offscreen), -display HOST:SCREEN, -style NAME und -reverse.
-qwindowgeometry BxH+X+Y setzt das Fenster für diesen Lauf; sonst erscheint es, wie es
beim Beenden des Programms war.

Port, Fensterposition und Sprache stehen in $XDG_CONFIG_HOME/corvane.cfg (Vorgabe
~/.config/corvane.cfg); der Verlauf der Dateidialoge in $XDG_CONFIG_HOME/QtProject.conf.
</translation>
    </message>
</context>
<context>
    <name>corvane::ConnectionSupervisor</name>
    <message>
        <source>Corvane cannot reopen %1: %2</source>
        <translation>Corvane kann %1 nicht erneut öffnen: %2</translation>
    </message>
    <message>
        <source>Corvane not connected...</source>
        <translation>Corvane nicht verbunden...</translation>
    </message>
    <message>
        <source>Corvane connected...</source>
        <translation>Corvane verbunden...</translation>
    </message>
    <message>
        <source>Corvane communication error...</source>
        <translation>Corvane-Kommunikationsfehler...</translation>
    </message>
    <message>
        <source>Corvane open...push a Corvane key</source>
        <translation>Corvane geöffnet...eine Corvane-Taste drücken</translation>
    </message>
    <message>
        <source>Corvane maybe standby, please push a key to turn it on...</source>
        <translation>Corvane evtl. im Standby, bitte zum Einschalten eine Taste drücken...</translation>
    </message>
    <message>
        <source>Corvane unplugged...</source>
        <translation>Corvane ausgesteckt...</translation>
    </message>
    <message>
        <source>Corvane open...</source>
        <translation>Corvane geöffnet...</translation>
    </message>
    <message>
        <source>Corvane maybe standby, please push a key...</source>
        <translation>Corvane evtl. im Standby, bitte eine Taste drücken...</translation>
    </message>
    <message>
        <source>The Corvane is unplugged</source>
        <translation>Das Corvane ist ausgesteckt</translation>
    </message>
    <message numerus="yes">
        <source>Corvane has not answered for %n seconds...</source>
        <translation>
            <numerusform>Corvane hat seit %n Sekunde nicht geantwortet...</numerusform>
            <numerusform>Corvane hat seit %n Sekunden nicht geantwortet...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>corvane::CustomerReport</name>
    <message>
        <source>%1 to %2 (%3)</source>
        <translation>%1 bis %2 (%3)</translation>
    </message>
    <message>
        <source>Registration</source>
        <translation>Kennzeichen</translation>
    </message>
    <message>
        <source>VIN</source>
        <translation>Fahrgestellnummer (FIN)</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>Job opened</source>
        <translation>Auftrag angelegt</translation>
    </message>
    <message>
        <source>Report made</source>
        <translation>Bericht erstellt</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Least</source>
        <translation>Kleinster</translation>
    </message>
    <message>
        <source>Greatest</source>
        <translation>Größter</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Values</source>
        <translation>Werte</translation>
    </message>
    <message>
        <source>~ the span reaches back beyond the readings kept one by one: the value covers a few readings more at its ends.</source>
        <translation>~ die Spanne reicht weiter zurück als die einzeln gehaltenen Messwerte: der Wert umfasst an ihren Enden einige Messwerte mehr.</translation>
    </message>
    <message>
        <source>Customer report</source>
        <translation>Kundenbericht</translation>
    </message>
    <message>
        <source>Page reports</source>
        <translation>Seitenberichte</translation>
    </message>
    <message>
        <source>Graph pictures</source>
        <translation>Graphenbilder</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Customer report %1</source>
        <translation>Kundenbericht %1</translation>
    </message>
</context>
<context>
    <name>corvane::CustomerReportDialog</name>
    <message>
        <source>Customer report %1</source>
        <translation>Kundenbericht %1</translation>
    </message>
    <message>
        <source>No table</source>
        <translation>Keine Tabelle</translation>
    </message>
    <message>
        <source>The graph as shown now: %1</source>
        <translation>Der Graph, wie er jetzt gezeigt wird: %1</translation>
    </message>
    <message>
        <source>The graph&apos;s span: %1</source>
        <translation>Die Spanne des Graphen: %1</translation>
    </message>
    <message>
        <source>Recording %1</source>
        <translation>Aufzeichnung %1</translation>
    </message>
    <message>
        <source>Page reports in the report</source>
        <translation>Seitenberichte im Bericht</translation>
    </message>
    <message>
        <source>Graph pictures in the report</source>
        <translation>Graphenbilder im Bericht</translation>
    </message>
    <message>
        <source>What was found and done, for the customer</source>
        <translation>Was gefunden und getan wurde, für den Kunden</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>US-Letter</translation>
    </message>
    <message>
        <source>&amp;Save PDF...</source>
        <translation>PDF &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Works&amp;hop...</source>
        <translation>&amp;Werkstatt...</translation>
    </message>
    <message>
        <source>Page &amp;reports</source>
        <translation>Seiten&amp;berichte</translation>
    </message>
    <message>
        <source>Graph pi&amp;ctures</source>
        <translation>&amp;Graphenbilder</translation>
    </message>
    <message>
        <source>Readings &amp;table</source>
        <translation>Messwert&amp;tabelle</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Notiz</translation>
    </message>
    <message>
        <source>Pap&amp;er</source>
        <translation>&amp;Papier</translation>
    </message>
    <message>
        <source>The recording %1 cannot be read:
%2</source>
        <translation>Die Aufzeichnung %1 kann nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>Cannot write the customer report %1: %2</source>
        <translation>Der Kundenbericht %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 page reports</source>
        <translation>%1 Seitenberichte</translation>
    </message>
    <message>
        <source>%1 pictures</source>
        <translation>%1 Bilder</translation>
    </message>
    <message>
        <source>readings of %1</source>
        <translation>Messwerte von %1</translation>
    </message>
    <message>
        <source>no readings</source>
        <translation>keine Messwerte</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)|*.pdf|</source>
        <translation>PDF-Dokument (*.pdf)|*.pdf|</translation>
    </message>
    <message>
        <source>Customer report %1 %2.pdf</source>
        <translation>Kundenbericht %1 %2.pdf</translation>
    </message>
    <message>
        <source>customer-report.pdf</source>
        <translation>kundenbericht.pdf</translation>
    </message>
</context>
<context>
    <name>corvane::FileDialogs</name>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>corvane::FileWrite</name>
    <message>
        <source>it is a symbolic link that belongs to another user, so it is not followed</source>
        <translation>sie ist ein symbolischer Link eines anderen Benutzers und wird darum nicht verfolgt</translation>
    </message>
    <message>
        <source>a folder on its path is a symbolic link that belongs to another user, so it is not followed</source>
        <translation>ein Ordner auf ihrem Pfad ist ein symbolischer Link eines anderen Benutzers und wird darum nicht verfolgt</translation>
    </message>
</context>
<context>
    <name>corvane::HeldReadings</name>
    <message>
        <source>%1 rows from %2 to %3 (%4)</source>
        <translation>%1 Zeilen von %2 bis %3 (%4)</translation>
    </message>
    <message>
        <source>, everything since the graph began</source>
        <translation>, alles seit Beginn des Graphen</translation>
    </message>
    <message>
        <source>, the readings before it only as summaries, not written</source>
        <translation>, die Messwerte davor nur als Zusammenfassungen, nicht geschrieben</translation>
    </message>
    <message>
        <source>%1 held %2 to %3.csv</source>
        <translation>%1 gehalten %2 bis %3.csv</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>corvane::JobDialog</name>
    <message>
        <source>New job</source>
        <translation>Neuer Auftrag</translation>
    </message>
    <message>
        <source>Job %1</source>
        <translation>Auftrag %1</translation>
    </message>
    <message>
        <source>What the customer reported, what was done</source>
        <translation>Was der Kunde berichtet hat, was getan wurde</translation>
    </message>
    <message>
        <source>&amp;Registration</source>
        <translation>&amp;Kennzeichen</translation>
    </message>
    <message>
        <source>&amp;VIN</source>
        <translation>&amp;FIN</translation>
    </message>
    <message>
        <source>&amp;Customer</source>
        <translation>K&amp;unde</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Notiz</translation>
    </message>
    <message>
        <source>Make job</source>
        <translation>Auftrag anlegen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>corvane::JobStore</name>
    <message>
        <source>Page report</source>
        <translation>Seitenbericht</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>Graph picture</source>
        <translation>Graphenbild</translation>
    </message>
    <message>
        <source>Held readings</source>
        <translation>Gehaltene Messwerte</translation>
    </message>
    <message>
        <source>Link trace</source>
        <translation>Verbindungs-Trace</translation>
    </message>
    <message>
        <source>File from the unit</source>
        <translation>Datei vom Gerät</translation>
    </message>
    <message>
        <source>Customer report</source>
        <translation>Kundenbericht</translation>
    </message>
    <message>
        <source>Job of %1</source>
        <translation>Auftrag vom %1</translation>
    </message>
    <message>
        <source>PDF document</source>
        <translation>PDF-Dokument</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation>CSV-Datei</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Cannot make the jobs folder %1.</source>
        <translation>Der Auftragsordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot make a folder for the job in %1.</source>
        <translation>In %1 kann kein Ordner für den Auftrag angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The job&apos;s folder %1 is not there any more.</source>
        <translation>Der Ordner des Auftrags %1 ist nicht mehr da.</translation>
    </message>
    <message>
        <source>The job %1 is being changed by another program; try again.</source>
        <translation>Der Auftrag %1 wird gerade von einem anderen Programm geändert; bitte noch einmal versuchen.</translation>
    </message>
    <message>
        <source>Cannot note the file in %1: %2</source>
        <translation>Die Datei kann nicht in %1 vermerkt werden: %2</translation>
    </message>
</context>
<context>
    <name>corvane::JobsModel</name>
    <message>
        <source>Opened</source>
        <translation>Angelegt</translation>
    </message>
    <message>
        <source>Registration</source>
        <translation>Kennzeichen</translation>
    </message>
    <message>
        <source>VIN</source>
        <translation>FIN</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>%1 (folder missing)</source>
        <translation>%1 (Ordner fehlt)</translation>
    </message>
</context>
<context>
    <name>corvane::JobsRoom</name>
    <message>
        <source>job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Workshop job</source>
        <translation>Werkstattauftrag</translation>
    </message>
    <message>
        <source>Job: %1</source>
        <translation>Auftrag: %1</translation>
    </message>
    <message>
        <source>%1 - its folder is gone</source>
        <translation>%1 - sein Ordner ist verschwunden</translation>
    </message>
    <message>
        <source>%1 (Ctrl+J: the jobs)</source>
        <translation>%1 (Strg+J: die Aufträge)</translation>
    </message>
    <message>
        <source>No workshop job</source>
        <translation>Kein Werkstattauftrag</translation>
    </message>
    <message>
        <source>Working on the job %1: files are saved in %2</source>
        <translation>Arbeit am Auftrag %1: Dateien werden in %2 gespeichert</translation>
    </message>
    <message>
        <source>No workshop job: files are saved where you choose</source>
        <translation>Kein Werkstattauftrag: Dateien werden gespeichert, wo Sie wählen</translation>
    </message>
    <message>
        <source>The job&apos;s folder %1 is not there any more; saving where you choose</source>
        <translation>Der Ordner des Auftrags %1 ist nicht mehr da; gespeichert wird, wo Sie wählen</translation>
    </message>
    <message>
        <source>The file %1 is not there any more.</source>
        <translation>Die Datei %1 ist nicht mehr da.</translation>
    </message>
    <message>
        <source>The recording %1 cannot be shown:
%2</source>
        <translation>Die Aufzeichnung %1 kann nicht gezeigt werden:
%2</translation>
    </message>
    <message>
        <source>%1 rows, %2 readings</source>
        <translation>%1 Zeilen, %2 Messwerte</translation>
    </message>
    <message>
        <source>Customer report...</source>
        <translation>Kundenbericht...</translation>
    </message>
    <message>
        <source>A PDF for the customer of the current job, with the readings between cursors A and B (or the time shown)</source>
        <translation>Ein PDF für den Kunden des aktuellen Auftrags, mit den Messwerten zwischen den Cursorn A und B (oder der gezeigten Zeit)</translation>
    </message>
    <message>
        <source>Choose the job first: the job button in the main window&apos;s title band, or Ctrl+J there.</source>
        <translation>Zuerst den Auftrag wählen: die Auftragsschaltfläche im Titelband des Hauptfensters, oder dort Strg+J.</translation>
    </message>
</context>
<context>
    <name>corvane::PageReadings</name>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>corvane::PlainFiles</name>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
</context>
<context>
    <name>corvane::PopUps</name>
    <message>
        <source>File too long</source>
        <translation>Datei zu lang</translation>
    </message>
    <message>
        <source>%1: %2 holds more than the %3 bytes the unit can take</source>
        <translation>%1: %2 enthält mehr als die %3 Bytes, die das Gerät aufnehmen kann</translation>
    </message>
    <message>
        <source>The unit asked for a text, but its replies (%1 bytes) have no room for one: nothing can be typed</source>
        <translation>Das Gerät hat nach einem Text gefragt, aber seine Antworten (%1 Bytes) haben keinen Platz dafür: es kann nichts eingegeben werden</translation>
    </message>
</context>
<context>
    <name>corvane::PortConfigFile</name>
    <message>
        <source>COM1 is used for now. The file is left as it is until a port is chosen in the Com setting dialog.</source>
        <translation>Vorerst wird COM1 verwendet. Die Datei bleibt, wie sie ist, bis im Fenster COM-Einstellung ein Port gewählt wird.</translation>
    </message>
    <message>
        <source>The configuration file %1 is a folder. Remove or rename that folder: the program keeps its port setting in a file of that name.</source>
        <translation>Die Konfigurationsdatei %1 ist ein Ordner. Entfernen oder benennen Sie diesen Ordner um: das Programm speichert seine Port-Einstellung in einer Datei dieses Namens.</translation>
    </message>
    <message>
        <source>The configuration file %1 cannot be read: %2.</source>
        <translation>Die Konfigurationsdatei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>COM1 is used for now.</source>
        <translation>Vorerst wird COM1 verwendet.</translation>
    </message>
    <message>
        <source>The configuration file %1 is not a regular file.</source>
        <translation>Die Konfigurationsdatei %1 ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>The configuration file %1 is empty.</source>
        <translation>Die Konfigurationsdatei %1 ist leer.</translation>
    </message>
    <message>
        <source>The configuration file %1 holds &quot;%2&quot;, which is not a port setting such as &quot;COM01,0&quot;.</source>
        <translation>Die Konfigurationsdatei %1 enthält &quot;%2&quot;, und das ist keine Port-Einstellung wie &quot;COM01,0&quot;.</translation>
    </message>
    <message>
        <source>Cannot save the device path %1: it holds a line end</source>
        <translation>Der Gerätepfad %1 kann nicht gespeichert werden: er enthält ein Zeilenende</translation>
    </message>
    <message>
        <source>Cannot save the port %1 and window state %2: out of range</source>
        <translation>Port %1 und Fensterzustand %2 können nicht gespeichert werden: außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file</source>
        <translation>%1 kann nicht geschrieben werden: keine reguläre Datei</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot write in %1</source>
        <translation>In %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>corvane::PortOpenError</name>
    <message>
        <source>

You are not allowed to use %1.</source>
        <translation>

Sie dürfen %1 nicht verwenden.</translation>
    </message>
    <message>
        <source>

The device %1 belongs to the user &quot;%2&quot; and the group &quot;%3&quot;, and no group of your account may open it. Ask the administrator to give it to a group you can join, such as &quot;dialout&quot; (with a udev rule: GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;), or to add a rule that opens it to the logged-in user.</source>
        <translation>

Das Gerät %1 gehört dem Benutzer &quot;%2&quot; und der Gruppe &quot;%3&quot;, und keine Gruppe Ihres Kontos darf es öffnen. Bitten Sie den Administrator, es einer Gruppe zu geben, der Sie beitreten können, etwa &quot;dialout&quot; (mit einer udev-Regel: GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;), oder eine Regel einzurichten, die es dem angemeldeten Benutzer öffnet.</translation>
    </message>
    <message>
        <source>

The pseudo-terminal %1 belongs to the user &quot;%2&quot;, and only that user (or root) may open it; joining a group would not change that. Run corvane as &quot;%2&quot;, or start the program that makes the pseudo-terminal (for example corvane-unit --pty) as yourself.</source>
        <translation>

Das Pseudo-Terminal %1 gehört dem Benutzer &quot;%2&quot;, und nur dieser Benutzer (oder root) darf es öffnen; der Beitritt zu einer Gruppe ändert daran nichts. Starten Sie corvane als &quot;%2&quot;, oder starten Sie das Programm, das das Pseudo-Terminal anlegt (zum Beispiel corvane-unit --pty), selbst.</translation>
    </message>
    <message>
        <source>

The device %1 (user &quot;%2&quot;, group &quot;%3&quot;, mode %4) does not let its group read and write it, so no group you join can open it: its mode needs changing. Ask the administrator for a udev rule with MODE=&quot;0660&quot; for it (sudo chmod 0660 %1 lasts only until the device returns or the computer restarts).</source>
        <translation>

Das Gerät %1 (Benutzer &quot;%2&quot;, Gruppe &quot;%3&quot;, Modus %4) lässt seine Gruppe nicht lesen und schreiben, darum kann keine Gruppe, der Sie beitreten, es öffnen: sein Modus muss geändert werden. Bitten Sie den Administrator um eine udev-Regel mit MODE=&quot;0660&quot; dafür (sudo chmod 0660 %1 hält nur, bis das Gerät wiederkommt oder der Computer neu startet).</translation>
    </message>
    <message>
        <source> Then add your account to the group &quot;%1&quot; (sudo usermod -aG %1 %2) and log in again.</source>
        <translation> Fügen Sie danach Ihr Konto der Gruppe &quot;%1&quot; hinzu (sudo usermod -aG %1 %2) und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>

The device %1 lets its group &quot;%2&quot; read and write it and this session is in that group; something else refuses it (its owner&apos;s own permissions, an access list or a security module).</source>
        <translation>

Das Gerät %1 lässt seine Gruppe &quot;%2&quot; lesen und schreiben, und diese Sitzung ist in dieser Gruppe; etwas anderes verweigert es (die Rechte seines Besitzers, eine Zugriffsliste oder ein Sicherheitsmodul).</translation>
    </message>
    <message>
        <source>

Your account is in the group &quot;%1&quot; that may use %2, but this session started before it joined. Log out and log in again.</source>
        <translation>

Ihr Konto ist in der Gruppe &quot;%1&quot;, die %2 verwenden darf, aber diese Sitzung begann vor dem Beitritt. Melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source>

The device %1 belongs to the group &quot;%2&quot;. Add your account to it (sudo usermod -aG %2 %3), then log out and log in again.</source>
        <translation>

Das Gerät %1 gehört der Gruppe &quot;%2&quot;. Fügen Sie Ihr Konto dieser Gruppe hinzu (sudo usermod -aG %2 %3), dann melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source>

Or install the udev rule %1 in %2 (the package puts it there), run udevadm control --reload and plug the unit in again: it gives the logged-in user the unit&apos;s port.</source>
        <translation>

Oder installieren Sie die udev-Regel %1 in %2 (das Paket legt sie dort ab), führen Sie udevadm control --reload aus und stecken Sie das Gerät neu ein: sie gibt dem angemeldeten Benutzer den Port des Geräts.</translation>
    </message>
    <message>
        <source>Error opening %1:
%2 is not a serial port. Choose the unit&apos;s serial device, for example /dev/ttyUSB0 or /dev/ttyACM0 (corvane --list-ports lists them).</source>
        <translation>Fehler beim Öffnen von %1:
%2 ist kein serieller Port. Wählen Sie das serielle Gerät des Geräts, zum Beispiel /dev/ttyUSB0 oder /dev/ttyACM0 (corvane --list-ports listet sie auf).</translation>
    </message>
    <message>
        <source>Error opening %1:
%2</source>
        <translation>Fehler beim Öffnen von %1:
%2</translation>
    </message>
    <message>
        <source>

The port %1 is in use by another program.</source>
        <translation>

Der Port %1 wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>

There is no device %1 on this computer.</source>
        <translation>

Auf diesem Computer gibt es kein Gerät %1.</translation>
    </message>
    <message>
        <source>

%1 is listed, but no serial hardware answers behind it: many PCs announce more COM ports than they have, and most have one at most. Choose the port the unit is attached to (corvane --list-ports lists the ports that may be opened).</source>
        <translation>

%1 ist aufgeführt, aber keine serielle Hardware antwortet dahinter: viele PCs melden mehr COM-Ports, als sie haben, und die meisten haben höchstens einen. Wählen Sie den Port, an dem das Gerät hängt (corvane --list-ports listet die Ports auf, die sich öffnen lassen).</translation>
    </message>
</context>
<context>
    <name>corvane::ReadingProgress</name>
    <message>
        <source>Reading the recording %1...</source>
        <translation>Die Aufzeichnung %1 wird gelesen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reading a recording</source>
        <translation>Aufzeichnung lesen</translation>
    </message>
    <message>
        <source>corvane: reading %1: %2%</source>
        <translation>corvane: %1 wird gelesen: %2 %</translation>
    </message>
</context>
<context>
    <name>corvane::ReadingsReadout</name>
    <message>
        <source>no reading</source>
        <translation>kein Messwert</translation>
    </message>
    <message>
        <source>%1 d %2 h %3 min</source>
        <translation>%1 d %2 h %3 min</translation>
    </message>
    <message>
        <source>%1 h %2 min %3 s</source>
        <translation>%1 h %2 min %3 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>Cursor %1</source>
        <translation>Cursor %1</translation>
    </message>
</context>
<context>
    <name>corvane::ReadingsRecorder</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is a pipe that nothing reads</source>
        <translation>%1 kann nicht geschrieben werden: eine Pipe, die niemand liest</translation>
    </message>
    <message>
        <source>Cannot write %1: what reads it does not keep up</source>
        <translation>%1 kann nicht geschrieben werden: was sie liest, kommt nicht nach</translation>
    </message>
</context>
<context>
    <name>corvane::ReadingsRoom</name>
    <message>
        <source>1 row</source>
        <translation>1 Zeile</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
    <message>
        <source>graph</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Graph of the page&apos;s readings, and recording</source>
        <translation>Graph der Messwerte der Seite, und Aufzeichnung</translation>
    </message>
    <message>
        <source>the unit is gone</source>
        <translation>das Gerät ist getrennt</translation>
    </message>
    <message>
        <source>the program closed</source>
        <translation>das Programm wurde beendet</translation>
    </message>
    <message>
        <source>the page closed</source>
        <translation>die Seite wurde geschlossen</translation>
    </message>
    <message>
        <source>The open page shows no readings to record.</source>
        <translation>Die offene Seite zeigt keine Messwerte zum Aufzeichnen.</translation>
    </message>
    <message>
        <source>Recording the readings to %1</source>
        <translation>Messwerte werden in %1 aufgezeichnet</translation>
    </message>
    <message>
        <source>Recording ended (%1): %2 in %3</source>
        <translation>Aufzeichnung beendet (%1): %2 in %3</translation>
    </message>
    <message>
        <source>%1 kept in %2</source>
        <translation>%1 gespeichert in %2</translation>
    </message>
    <message>
        <source>Recording ended: %1</source>
        <translation>Aufzeichnung beendet: %1</translation>
    </message>
    <message>
        <source>%1
The recording has ended; %2.</source>
        <translation>%1
Die Aufzeichnung ist beendet; %2.</translation>
    </message>
    <message>
        <source>Recording to %1: %2</source>
        <translation>Aufzeichnung in %1: %2</translation>
    </message>
    <message>
        <source>Last recording: %1 in %2</source>
        <translation>Letzte Aufzeichnung: %1 in %2</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>No unit is connected: a recording takes the readings as the unit sends them. Connect the unit and open the page with the readings, then press Record again.</source>
        <translation>Kein Gerät ist verbunden: eine Aufzeichnung nimmt die Messwerte, wie das Gerät sie sendet. Verbinden Sie das Gerät und öffnen Sie die Seite mit den Messwerten, dann drücken Sie erneut auf Aufzeichnen.</translation>
    </message>
    <message>
        <source>Recording ended (%1): %2</source>
        <translation>Aufzeichnung beendet (%1): %2</translation>
    </message>
    <message>
        <source>Recording: %1 - %2</source>
        <translation>Aufzeichnung: %1 - %2</translation>
    </message>
</context>
<context>
    <name>corvane::RecordingReader</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>eine Pipe</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>the file is empty, not a recording of readings</source>
        <translation>die Datei ist leer, keine Aufzeichnung von Messwerten</translation>
    </message>
    <message>
        <source>%1:%2: the last row has no line end (the recording was cut short); it is left out</source>
        <translation>%1:%2: die letzte Zeile hat kein Zeilenende (die Aufzeichnung wurde abgeschnitten); sie wird weggelassen</translation>
    </message>
    <message>
        <source>a row of more than %1 bytes</source>
        <translation>eine Zeile von mehr als %1 Bytes</translation>
    </message>
    <message>
        <source>no header row</source>
        <translation>keine Kopfzeile</translation>
    </message>
    <message>
        <source>text after the closing quote of a field</source>
        <translation>Text nach dem schließenden Anführungszeichen eines Felds</translation>
    </message>
    <message>
        <source>a quote inside a field that is not quoted</source>
        <translation>ein Anführungszeichen in einem Feld ohne Anführungszeichen</translation>
    </message>
    <message>
        <source>a line break inside a field that is not quoted</source>
        <translation>ein Zeilenumbruch in einem Feld ohne Anführungszeichen</translation>
    </message>
    <message>
        <source>the text is not UTF-8</source>
        <translation>der Text ist kein UTF-8</translation>
    </message>
    <message>
        <source>%1 fields where the header has %2</source>
        <translation>%1 Felder, wo die Kopfzeile %2 hat</translation>
    </message>
    <message>
        <source>the first column is not &quot;time&quot;: not a recording of readings</source>
        <translation>die erste Spalte ist nicht &quot;time&quot;: keine Aufzeichnung von Messwerten</translation>
    </message>
    <message>
        <source>the header names no readings</source>
        <translation>die Kopfzeile nennt keine Messwerte</translation>
    </message>
    <message>
        <source>%1 readings, more than the %2 a recording may have</source>
        <translation>%1 Messwerte, mehr als die %2, die eine Aufzeichnung haben darf</translation>
    </message>
    <message>
        <source>the caption of reading %1 has %2 bytes, more than the %3 a caption may have</source>
        <translation>die Beschriftung von Messwert %1 hat %2 Bytes, mehr als die %3, die eine Beschriftung haben darf</translation>
    </message>
    <message>
        <source>%1, not a recording of readings</source>
        <translation>%1, keine Aufzeichnung von Messwerten</translation>
    </message>
    <message>
        <source>%1, more than the %2 a recording may have</source>
        <translation>%1, mehr als die %2, die eine Aufzeichnung haben darf</translation>
    </message>
    <message>
        <source>%1:1: more than the %2 a recording may have</source>
        <translation>%1:1: mehr als die %2, die eine Aufzeichnung haben darf</translation>
    </message>
</context>
<context>
    <name>corvane::RecordingViewer</name>
    <message>
        <source>%1 rows, %2 readings</source>
        <translation>%1 Zeilen, %2 Messwerte</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>; %1 drawn paler over it: %2 rows</source>
        <translation>; %1 blasser darübergezeichnet: %2 Zeilen</translation>
    </message>
    <message>
        <source>corvane: %1 is refused: not a sound recording of readings</source>
        <translation>corvane: %1 wird abgelehnt: keine fehlerfreie Aufzeichnung von Messwerten</translation>
    </message>
    <message>
        <source>The recording cannot be shown.</source>
        <translation>Die Aufzeichnung kann nicht gezeigt werden.</translation>
    </message>
</context>
<context>
    <name>corvane::ReportSave</name>
    <message>
        <source>Cannot write the report file %1:
%2</source>
        <translation>Die Berichtsdatei %1 kann nicht geschrieben werden:
%2</translation>
    </message>
</context>
<context>
    <name>corvane::SerialDevice</name>
    <message>
        <source>COM%1, numbered port</source>
        <translation>COM%1, nummerierter Port</translation>
    </message>
    <message>
        <source>Corvane unit</source>
        <translation>Corvane-Gerät</translation>
    </message>
    <message>
        <source>%1 serial device</source>
        <translation>Serielles Gerät von %1</translation>
    </message>
    <message>
        <source>PCI serial port</source>
        <translation>Serieller PCI-Port</translation>
    </message>
    <message>
        <source>USB serial device %1:%2</source>
        <translation>Serielles USB-Gerät %1:%2</translation>
    </message>
    <message>
        <source>No serial device found.
</source>
        <translation>Kein serielles Gerät gefunden.
</translation>
    </message>
    <message>
        <source>    node:        %1
</source>
        <translation>    Knoten:      %1
</translation>
    </message>
    <message>
        <source>    stable path: %1
</source>
        <translation>    fester Pfad: %1
</translation>
    </message>
    <message>
        <source>    may open:    yes
</source>
        <translation>    darf öffnen: ja
</translation>
    </message>
    <message>
        <source>    may open:    no, permission denied
</source>
        <translation>    darf öffnen: nein, keine Berechtigung
</translation>
    </message>
</context>
<context>
    <name>corvane::ShellPrompts</name>
    <message>
        <source>(no display, answered No)</source>
        <translation>(keine Anzeige, mit Nein beantwortet)</translation>
    </message>
    <message>
        <source>(no display)</source>
        <translation>(keine Anzeige)</translation>
    </message>
</context>
<context>
    <name>corvane::StatusLine</name>
    <message>
        <source>Corvane ready...</source>
        <translation>Corvane bereit...</translation>
    </message>
    <message>
        <source>Function in progress, please wait...</source>
        <translation>Funktion läuft, bitte warten...</translation>
    </message>
    <message>
        <source>Corvane waits for the key pad...</source>
        <translation>Corvane wartet auf das Tastenfeld...</translation>
    </message>
    <message>
        <source>Corvane gone: the choice was not delivered</source>
        <translation>Corvane getrennt: die Auswahl wurde nicht übermittelt</translation>
    </message>
</context>
<context>
    <name>corvane::TransferFiles</name>
    <message>
        <source>Cannot open the file %1</source>
        <translation>Die Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot read the file %1</source>
        <translation>Die Datei %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>Cannot save the file %1</source>
        <translation>Die Datei %1 kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>%1 came without a valid size (%2); %3 bytes arrived.</source>
        <translation>%1 kam ohne gültige Größe (%2); %3 Bytes sind angekommen.</translation>
    </message>
    <message>
        <source>%1 is announced with %2 bytes, more than the %3 bytes a file from the unit may have; only %4 are held.</source>
        <translation>%1 ist mit %2 Bytes angekündigt, mehr als die %3 Bytes, die eine Datei vom Gerät haben darf; nur %4 sind vorhanden.</translation>
    </message>
    <message>
        <source>%1 is incomplete: %2 of the %3 bytes announced arrived, %4 are missing.</source>
        <translation>%1 ist unvollständig: %2 der %3 angekündigten Bytes sind angekommen, %4 fehlen.</translation>
    </message>
    <message>
        <source>%1 is not as announced: %2 bytes arrived, %3 were announced.</source>
        <translation>%1 ist nicht wie angekündigt: %2 Bytes sind angekommen, %3 waren angekündigt.</translation>
    </message>
    <message>
        <source>The file from the unit</source>
        <translation>Die Datei vom Gerät</translation>
    </message>
    <message>
        <source>The file %1 from the unit</source>
        <translation>Die Datei %1 vom Gerät</translation>
    </message>
    <message>
        <source>It was not saved.</source>
        <translation>Sie wurde nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>corvane::UsbInstallation</name>
    <message>
        <source>Missing on this computer: the kernel&apos;s USB serial driver cdc_acm (not loaded, not built into kernel %1, no module in %2). Install the modules of this kernel or a kernel built with CONFIG_USB_ACM, then start again.</source>
        <translation>Auf diesem Computer fehlt der serielle USB-Treiber cdc_acm des Kernels (nicht geladen, nicht in Kernel %1 eingebaut, kein Modul in %2). Installieren Sie die Module dieses Kernels oder einen mit CONFIG_USB_ACM gebauten Kernel, dann starten Sie neu.</translation>
    </message>
</context>
<context>
    <name>corvane::WireTextValidator</name>
    <message>
        <source>vertical line</source>
        <translation>senkrechter Strich</translation>
    </message>
    <message>
        <source>circumflex accent</source>
        <translation>Zirkumflex</translation>
    </message>
    <message>
        <source>en space</source>
        <translation>Halbgeviert-Leerzeichen</translation>
    </message>
    <message>
        <source>em space</source>
        <translation>Geviert-Leerzeichen</translation>
    </message>
    <message>
        <source>figure space</source>
        <translation>Ziffern-Leerzeichen</translation>
    </message>
    <message>
        <source>thin space</source>
        <translation>schmales Leerzeichen</translation>
    </message>
    <message>
        <source>hair space</source>
        <translation>Haar-Leerzeichen</translation>
    </message>
    <message>
        <source>zero width space</source>
        <translation>Leerzeichen ohne Breite</translation>
    </message>
    <message>
        <source>zero width non-joiner</source>
        <translation>Bindehemmer ohne Breite</translation>
    </message>
    <message>
        <source>zero width joiner</source>
        <translation>Verbinder ohne Breite</translation>
    </message>
    <message>
        <source>left-to-right mark</source>
        <translation>Links-nach-rechts-Zeichen</translation>
    </message>
    <message>
        <source>right-to-left mark</source>
        <translation>Rechts-nach-links-Zeichen</translation>
    </message>
    <message>
        <source>hyphen</source>
        <translation>Bindestrich</translation>
    </message>
    <message>
        <source>non-breaking hyphen</source>
        <translation>geschützter Bindestrich</translation>
    </message>
    <message>
        <source>figure dash</source>
        <translation>Ziffernstrich</translation>
    </message>
    <message>
        <source>line separator</source>
        <translation>Zeilentrenner</translation>
    </message>
    <message>
        <source>paragraph separator</source>
        <translation>Absatztrenner</translation>
    </message>
    <message>
        <source>narrow no-break space</source>
        <translation>schmales geschütztes Leerzeichen</translation>
    </message>
    <message>
        <source>word joiner</source>
        <translation>Wortverbinder</translation>
    </message>
    <message>
        <source>minus sign</source>
        <translation>Minuszeichen</translation>
    </message>
    <message>
        <source>division slash</source>
        <translation>Divisionsschrägstrich</translation>
    </message>
    <message>
        <source>divides</source>
        <translation>teilt</translation>
    </message>
    <message>
        <source>ideographic space</source>
        <translation>ideografisches Leerzeichen</translation>
    </message>
    <message>
        <source>zero width no-break space</source>
        <translation>geschütztes Leerzeichen ohne Breite</translation>
    </message>
    <message>
        <source>fullwidth circumflex accent</source>
        <translation>Zirkumflex voller Breite</translation>
    </message>
    <message>
        <source>fullwidth vertical line</source>
        <translation>senkrechter Strich voller Breite</translation>
    </message>
    <message>
        <source>space</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>line break</source>
        <translation>Zeilenumbruch</translation>
    </message>
    <message>
        <source>invisible format character</source>
        <translation>unsichtbares Formatzeichen</translation>
    </message>
    <message>
        <source>combining mark</source>
        <translation>kombinierendes Zeichen</translation>
    </message>
    <message>
        <source>Greek letter</source>
        <translation>griechischer Buchstabe</translation>
    </message>
    <message>
        <source>Cyrillic letter</source>
        <translation>kyrillischer Buchstabe</translation>
    </message>
    <message>
        <source>The unit cannot take %1</source>
        <translation>Das Gerät kann %1 nicht aufnehmen</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>The unit takes no text here</source>
        <translation>Das Gerät nimmt hier keinen Text</translation>
    </message>
    <message>
        <source>The unit takes at most %1 characters here</source>
        <translation>Das Gerät nimmt hier höchstens %1 Zeichen</translation>
    </message>
</context>
<context>
    <name>corvane::WorkshopDialog</name>
    <message>
        <source>Workshop on customer reports</source>
        <translation>Werkstatt auf Kundenberichten</translation>
    </message>
    <message>
        <source>Street
Town
Phone</source>
        <translation>Straße
Ort
Telefon</translation>
    </message>
    <message>
        <source>&amp;Choose logo...</source>
        <translation>Logo &amp;wählen...</translation>
    </message>
    <message>
        <source>&amp;Remove logo</source>
        <translation>Logo &amp;entfernen</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp *.gif)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>%1 is no picture this program can read.</source>
        <translation>%1 ist kein Bild, das dieses Programm lesen kann.</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Address</source>
        <translation>Ans&amp;chrift</translation>
    </message>
    <message>
        <source>(no logo)</source>
        <translation>(kein Logo)</translation>
    </message>
</context>
<context>
    <name>corvane::WorkshopHeader</name>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot remove the old logo %1.</source>
        <translation>Das alte Logo %1 kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Cannot write the logo %1: %2</source>
        <translation>Das Logo %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
</TS>
