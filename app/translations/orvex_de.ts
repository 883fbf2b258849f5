<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>orvex::AboutBox</name>
    <message>
        <source>Version %1    (%2)</source>
        <translation>Version %1    (%2)</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Velta Orvex Telemetry Decoder</source>
        <translation>Velta-Orvex-Telemetriedecoder</translation>
    </message>
    <message>
        <source>Homepage:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>orvex::ArchiveDialog</name>
    <message>
        <source>Archive</source>
        <translation>Archiv</translation>
    </message>
    <message>
        <source>&amp;Add every log to the archive</source>
        <translation>Jedes Log dem Archiv &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;SQLite file on this computer</source>
        <translation>&amp;SQLite-Datei auf diesem Rechner</translation>
    </message>
    <message>
        <source>&amp;PostgreSQL database shared by stations</source>
        <translation>&amp;PostgreSQL-Datenbank, von Stationen geteilt</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>Dat&amp;ei:</translation>
    </message>
    <message>
        <source>Co&amp;nnection:</source>
        <translation>&amp;Verbindung:</translation>
    </message>
    <message>
        <source>S&amp;tation:</source>
        <translation>S&amp;tation:</translation>
    </message>
    <message>
        <source>Archive File</source>
        <translation>Archivdatei</translation>
    </message>
    <message>
        <source>SQLite archives (*.sqlite)</source>
        <translation>SQLite-Archive (*.sqlite)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>orvex::ArchiveSpanDialog</name>
    <message>
        <source>Archive Span</source>
        <translation>Zeitraum im Archiv</translation>
    </message>
    <message>
        <source>&amp;From (UTC):</source>
        <translation>&amp;Von (UTC):</translation>
    </message>
    <message>
        <source>&amp;To (UTC):</source>
        <translation>&amp;Bis (UTC):</translation>
    </message>
</context>
<context>
    <name>orvex::ChannelPanel</name>
    <message>
        <source>This record's frame ended before this channel: the value is from the byte an earlier frame left.</source>
        <translation>Der Frame dieses Datensatzes endete vor diesem Kanal: Der Wert stammt aus dem Byte, das ein früherer Frame dort hinterließ.</translation>
    </message>
    <message>
        <source>Charts the channel alone; with Ctrl, adds it to the chart or takes it off</source>
        <translation>Zeigt den Kanal allein im Diagramm; mit Strg fügt er ihn hinzu oder nimmt ihn heraus</translation>
    </message>
    <message>
        <source>%1 value</source>
        <translation>%1 Wert</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Strom</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>The colour of this channel's line in the chart</source>
        <translation>Die Farbe der Linie dieses Kanals im Diagramm</translation>
    </message>
</context>
<context>
    <name>orvex::ChartRangeBox</name>
    <message>
        <source>Chart range</source>
        <translation>Zeitraum des Diagramms</translation>
    </message>
    <message>
        <source>This log</source>
        <translation>Dieses Log</translation>
    </message>
    <message>
        <source>Archive: last day</source>
        <translation>Archiv: letzter Tag</translation>
    </message>
    <message>
        <source>Archive: last week</source>
        <translation>Archiv: letzte Woche</translation>
    </message>
    <message>
        <source>Archive: last month</source>
        <translation>Archiv: letzter Monat</translation>
    </message>
    <message>
        <source>Archive: all</source>
        <translation>Archiv: alles</translation>
    </message>
    <message>
        <source>Archive: span...</source>
        <translation>Archiv: Zeitraum...</translation>
    </message>
</context>
<context>
    <name>orvex::ConnectDialog</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>KISS over &amp;TCP</source>
        <translation>KISS über &amp;TCP</translation>
    </message>
    <message>
        <source>&amp;Serial port</source>
        <translation>&amp;Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>&amp;Host:</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;Device:</source>
        <translation>&amp;Gerät:</translation>
    </message>
    <message>
        <source>Baud &amp;rate:</source>
        <translation>&amp;Baudrate:</translation>
    </message>
    <message>
        <source>Recording &amp;folder:</source>
        <translation>Aufnahmeo&amp;rdner:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Recording Folder</source>
        <translation>Aufnahmeordner</translation>
    </message>
</context>
<context>
    <name>orvex::FirstStartHint</name>
    <message>
        <source>Open a log (Ctrl+O), drop one here, or File ▸ Connect… to a TNC</source>
        <translation>Ein Log öffnen (Strg+O), hierher ziehen oder mit Datei ▸ Verbinden… an einen TNC anschließen</translation>
    </message>
</context>
<context>
    <name>orvex::GreyedChoices</name>
    <message>
        <source>Not while a log is read or a stream is followed</source>
        <translation>Nicht während ein Log gelesen oder ein Datenstrom verfolgt wird</translation>
    </message>
    <message>
        <source>Nothing is charted: open a log and choose a channel</source>
        <translation>Nichts im Diagramm: ein Log öffnen und einen Kanal wählen</translation>
    </message>
    <message>
        <source>Open a log first; not while one is read</source>
        <translation>Erst ein Log öffnen; nicht während eines gelesen wird</translation>
    </message>
    <message>
        <source>Not connected to a TNC</source>
        <translation>Nicht mit einem TNC verbunden</translation>
    </message>
</context>
<context>
    <name>orvex::HistoryChart</name>
    <message>
        <source>Channel history chart</source>
        <translation>Kanalverlauf</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Show All</source>
        <translation>&amp;Alles zeigen</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
</context>
<context>
    <name>orvex::LoadProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stops reading the log (Escape), as Exit would: the report keeps what was read</source>
        <translation>Beendet das Lesen des Logs (Esc) wie Beenden: Der Bericht behält das Gelesene</translation>
    </message>
    <message>
        <source>%1 %2% read</source>
        <translation>%1 %2 % gelesen</translation>
    </message>
</context>
<context>
    <name>orvex::LoadStatus</name>
    <message>
        <source>Cannot open the log %1: %2</source>
        <translation>Das Log %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read the log %1: %2</source>
        <translation>Das Log %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot record the log %1: %2</source>
        <translation>Das Log %1 kann nicht aufgezeichnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the report %1: %2</source>
        <translation>Der Bericht %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the WOD export %1: %2</source>
        <translation>Der WOD-Export %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>1 frame</source>
        <translation>1 Frame</translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation>%1 Frames</translation>
    </message>
    <message>
        <source>No frame found in %1.</source>
        <translation>Kein Frame in %1 gefunden.</translation>
    </message>
    <message>
        <source>%1, no telemetry record.</source>
        <translation>%1, kein Telemetriedatensatz.</translation>
    </message>
    <message>
        <source>%1, 1 telemetry record</source>
        <translation>%1, 1 Telemetriedatensatz</translation>
    </message>
    <message>
        <source>%1, %2 telemetry records</source>
        <translation>%1, %2 Telemetriedatensätze</translation>
    </message>
    <message>
        <source>Report written to %1.</source>
        <translation>Bericht geschrieben nach %1.</translation>
    </message>
    <message>
        <source>WOD export written to %1.</source>
        <translation>WOD-Export geschrieben nach %1.</translation>
    </message>
    <message>
        <source>Cannot write the data file %1: %2</source>
        <translation>Die Datendatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot add the log to the archive %1: %2</source>
        <translation>Das Log kann nicht ins Archiv %1 aufgenommen werden: %2</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>Übersprungen: %1.</translation>
    </message>
    <message>
        <source>Data of the log written to %1.</source>
        <translation>Daten des Logs nach %1 geschrieben.</translation>
    </message>
    <message>
        <source>%1 frames read, %2 decoded</source>
        <translation>%1 Frames gelesen, %2 dekodiert</translation>
    </message>
    <message>
        <source>%1 byte outside frames</source>
        <translation>%1 Byte außerhalb von Frames</translation>
    </message>
    <message>
        <source>%1 bytes outside frames</source>
        <translation>%1 Bytes außerhalb von Frames</translation>
    </message>
    <message>
        <source>%1 frame shorter than 7 bytes</source>
        <translation>%1 Frame kürzer als 7 Bytes</translation>
    </message>
    <message>
        <source>%1 frames shorter than 7 bytes</source>
        <translation>%1 Frames kürzer als 7 Bytes</translation>
    </message>
    <message>
        <source>%1 frame cut at 512 bytes</source>
        <translation>%1 Frame bei 512 Bytes abgeschnitten</translation>
    </message>
    <message>
        <source>%1 frames cut at 512 bytes</source>
        <translation>%1 Frames bei 512 Bytes abgeschnitten</translation>
    </message>
    <message>
        <source>%1 frame with a non-data KISS command</source>
        <translation>%1 Frame mit einem KISS-Befehl ohne Daten</translation>
    </message>
    <message>
        <source>%1 frames with a non-data KISS command</source>
        <translation>%1 Frames mit einem KISS-Befehl ohne Daten</translation>
    </message>
    <message>
        <source>%1 frame of unknown type</source>
        <translation>%1 Frame unbekannten Typs</translation>
    </message>
    <message>
        <source>%1 frames of unknown type</source>
        <translation>%1 Frames unbekannten Typs</translation>
    </message>
    <message>
        <source>%1 LF dropped after a CR</source>
        <translation>%1 LF nach einem CR verworfen</translation>
    </message>
    <message>
        <source>%1 LFs dropped after a CR</source>
        <translation>%1 LFs nach einem CR verworfen</translation>
    </message>
    <message>
        <source>%1 dangling escape</source>
        <translation>%1 unvollständiges Escape</translation>
    </message>
    <message>
        <source>%1 dangling escapes</source>
        <translation>%1 unvollständige Escapes</translation>
    </message>
    <message>
        <source>%1 bytes, %2</source>
        <translation>%1 Bytes, %2</translation>
    </message>
    <message>
        <source>Connected to %1: %2.</source>
        <translation>Verbunden mit %1: %2.</translation>
    </message>
    <message>
        <source>Reconnecting to %1 in %2 s (%3): %4.</source>
        <translation>Neue Verbindung mit %1 in %2 s (%3): %4.</translation>
    </message>
    <message>
        <source>Disconnected from %1: %2.</source>
        <translation>Verbindung mit %1 getrennt: %2.</translation>
    </message>
    <message>
        <source>Connecting to %1, recording into %2...</source>
        <translation>Verbindung mit %1 wird aufgebaut, Aufnahme in %2...</translation>
    </message>
    <message>
        <source>Archive: %1, %2 new.</source>
        <translation>Archiv: %1, %2 neu.</translation>
    </message>
    <message>
        <source>; memory ran out: the chart and the panel lack the last %1</source>
        <translation>; der Speicher reichte nicht: dem Diagramm und der Anzeige fehlen die letzten %1</translation>
    </message>
    <message>
        <source>Reading cancelled.</source>
        <translation>Lesen abgebrochen.</translation>
    </message>
    <message>
        <source>Export Data cancelled: no data file was written.</source>
        <translation>Datenexport abgebrochen: Keine Datendatei wurde geschrieben.</translation>
    </message>
</context>
<context>
    <name>orvex::MainWindow</name>
    <message>
        <source>%1; the stream is still decoded, but no longer recorded.</source>
        <translation>%1; der Datenstrom wird weiter dekodiert, aber nicht mehr aufgezeichnet.</translation>
    </message>
    <message>
        <source>the image cannot be drawn</source>
        <translation>das Bild kann nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>Velta Orvex Telemetry Decoder</source>
        <translation>Velta-Orvex-Telemetriedecoder</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Save Chart as &amp;PNG...</source>
        <translation>Diagramm als &amp;PNG speichern...</translation>
    </message>
    <message>
        <source>Save Chart as S&amp;VG...</source>
        <translation>Diagramm als S&amp;VG speichern...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Write &amp;TLM File</source>
        <translation>&amp;TLM-Datei schreiben</translation>
    </message>
    <message>
        <source>Write &amp;WOD File</source>
        <translation>&amp;WOD-Datei schreiben</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Log file</source>
        <translation>Logdatei</translation>
    </message>
    <message>
        <source>Frame count</source>
        <translation>Anzahl der Frames</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Chart saved to %1.</source>
        <translation>Diagramm gespeichert unter %1.</translation>
    </message>
    <message>
        <source>Cannot save the chart to %1: %2.</source>
        <translation>Das Diagramm kann nicht unter %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Save Chart as PNG</source>
        <translation>Diagramm als PNG speichern</translation>
    </message>
    <message>
        <source>Save Chart as SVG</source>
        <translation>Diagramm als SVG speichern</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>SVG Drawings (*.svg)</source>
        <translation>SVG-Zeichnungen (*.svg)</translation>
    </message>
    <message>
        <source>Software Version %1</source>
        <translation>Softwareversion %1</translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation>%1 Frames</translation>
    </message>
    <message>
        <source>&amp;Export Data...</source>
        <translation>Daten &amp;exportieren...</translation>
    </message>
    <message>
        <source>Writing the data of the log to %1...</source>
        <translation>Die Daten des Logs werden nach %1 geschrieben...</translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>Daten exportieren</translation>
    </message>
    <message>
        <source>KISS logs (*.kss)</source>
        <translation>KISS-Logs (*.kss)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Connect...</source>
        <translation>Ve&amp;rbinden...</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>&amp;Archive...</source>
        <translation>&amp;Archiv...</translation>
    </message>
    <message>
        <source>Cannot open the archive %1: %2.</source>
        <translation>Das Archiv %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Every log read is added to the archive %1.</source>
        <translation>Jedes gelesene Log wird dem Archiv %1 hinzugefügt.</translation>
    </message>
    <message>
        <source>Cannot read the archive %1: %2.</source>
        <translation>Das Archiv %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The archive %1 holds no telemetry yet.</source>
        <translation>Das Archiv %1 enthält noch keine Telemetrie.</translation>
    </message>
    <message>
        <source>The archive %1 holds no telemetry from %2 to %3 (UTC).</source>
        <translation>Das Archiv %1 enthält keine Telemetrie von %2 bis %3 (UTC).</translation>
    </message>
    <message>
        <source>Charted from the archive %1: telemetry from %2 to %3 (UTC).</source>
        <translation>Aus dem Archiv %1 gezeichnet: Telemetrie von %2 bis %3 (UTC).</translation>
    </message>
    <message>
        <source>Nothing was received from %1, so nothing was recorded.</source>
        <translation>Von %1 kam nichts an, daher wurde nichts aufgezeichnet.</translation>
    </message>
    <message>
        <source>S&amp;hare Frames...</source>
        <translation>Frames tei&amp;len...</translation>
    </message>
    <message>
        <source>Sharing</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Every frame received is shared with 1 server.</source>
        <translation>Jeder empfangene Frame wird mit 1 Server geteilt.</translation>
    </message>
    <message>
        <source>Every frame received is shared with %1 servers.</source>
        <translation>Jeder empfangene Frame wird mit %1 Servern geteilt.</translation>
    </message>
    <message>
        <source>&amp;Station...</source>
        <translation>&amp;Station...</translation>
    </message>
    <message>
        <source>The archive %1 was moved from version %2 to version %3: %4 frames. Every log read is added to it.</source>
        <translation>Das Archiv %1 wurde von Version %2 auf Version %3 umgestellt: %4 Frames. Jedes gelesene Log wird ihm hinzugefügt.</translation>
    </message>
    <message>
        <source>archive %1</source>
        <translation>Archiv %1</translation>
    </message>
    <message>
        <source>%1 to %2 (UTC), %3</source>
        <translation>%1 bis %2 (UTC), %3</translation>
    </message>
</context>
<context>
    <name>orvex::PictureSizeDialog</name>
    <message>
        <source> pixels</source>
        <translation> Pixel</translation>
    </message>
    <message>
        <source>Picture Size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
</context>
<context>
    <name>orvex::RecentLogsMenu</name>
    <message>
        <source>&amp;Recent Files</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
</context>
<context>
    <name>orvex::ShareDialog</name>
    <message>
        <source>Share Frames</source>
        <translation>Frames teilen</translation>
    </message>
    <message>
        <source>&amp;Share every frame received with these servers</source>
        <translation>Jeden empfangenen Frame mit diesen Servern &amp;teilen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add SatNOGS &amp;DB</source>
        <translation>SatNOGS &amp;DB hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Each frame goes with the time it was received and the station of Settings &gt; Station. A log is shared only where it holds reception times (gr-satellites&apos; timestamp frames); a stream as it arrives. Frames wait on disk until each server took them.</source>
        <translation>Jeder Frame geht mit seiner Empfangszeit und der Station aus Einstellungen &gt; Station hinaus. Ein Log wird nur geteilt, wo es Empfangszeiten enthält (Zeitstempel-Frames von gr-satellites); ein Datenstrom, während er eintrifft. Die Frames warten auf der Festplatte, bis jeder Server sie angenommen hat.</translation>
    </message>
    <message>
        <source>Ser&amp;vers:</source>
        <translation>Ser&amp;ver:</translation>
    </message>
    <message>
        <source>&amp;New server:</source>
        <translation>&amp;Neuer Server:</translation>
    </message>
</context>
<context>
    <name>orvex::ShareStatusText</name>
    <message>
        <source>Sharing stopped</source>
        <translation>Teilen angehalten</translation>
    </message>
    <message>
        <source>%1: %2 taken, %3 waiting</source>
        <translation>%1: %2 angenommen, %3 wartend</translation>
    </message>
    <message>
        <source>, failing: %1</source>
        <translation>, gestört: %1</translation>
    </message>
    <message>
        <source>%1 took %2 frames since the start; %3 wait</source>
        <translation>%1 hat seit dem Start %2 Frames angenommen; %3 warten</translation>
    </message>
    <message>
        <source>%1 refused %2 frames, which are kept aside</source>
        <translation>%1 hat %2 Frames abgelehnt, die beiseitegelegt sind</translation>
    </message>
    <message>
        <source>%1 does not take frames: %2; they are tried again later</source>
        <translation>%1 nimmt keine Frames an: %2; sie werden später erneut gesendet</translation>
    </message>
    <message>
        <source>%1: another program sends its frames</source>
        <translation>%1: ein anderes Programm sendet seine Frames</translation>
    </message>
    <message>
        <source>1 frame to share.</source>
        <translation>1 Frame zum Teilen.</translation>
    </message>
    <message>
        <source>%1 frames to share.</source>
        <translation>%1 Frames zum Teilen.</translation>
    </message>
    <message>
        <source>Not shared: the log holds no reception times, as only gr-satellites&apos; timestamp frames give them.</source>
        <translation>Nicht geteilt: Das Log enthält keine Empfangszeiten, die nur die Zeitstempel-Frames von gr-satellites liefern.</translation>
    </message>
    <message>
        <source>%1 frames to share; %2 not, as no timestamp frame came before them.</source>
        <translation>%1 Frames zum Teilen; %2 nicht, da ihnen kein Zeitstempel-Frame vorausging.</translation>
    </message>
</context>
<context>
    <name>orvex::StationDialog</name>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>latitude,longitude, such as 52.52,13.405</source>
        <translation>Breite,Länge, etwa 52.52,13.405</translation>
    </message>
    <message>
        <source>Shared frames carry these. The satellite&apos;s NORAD catalogue number is on its page on SatNOGS DB (db.satnogs.org); south and west are negative. Nothing is sent unless Settings &gt; Share Frames is on.</source>
        <translation>Geteilte Frames tragen diese Angaben. Die NORAD-Katalognummer des Satelliten steht auf seiner Seite bei SatNOGS DB (db.satnogs.org); Süd und West sind negativ. Nichts wird gesendet, solange Einstellungen &gt; Frames teilen aus ist.</translation>
    </message>
    <message>
        <source>&amp;Callsign:</source>
        <translation>&amp;Rufzeichen:</translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation>&amp;Standort:</translation>
    </message>
    <message>
        <source>&amp;NORAD number:</source>
        <translation>&amp;NORAD-Nummer:</translation>
    </message>
</context>
<context>
    <name>orvex::TopStrip</name>
    <message>
        <source>Record time</source>
        <translation>Zeit des Datensatzes</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>Softwareversion</translation>
    </message>
    <message>
        <source>Record position</source>
        <translation>Position des Datensatzes</translation>
    </message>
    <message>
        <source>Time and text frames</source>
        <translation>Zeit- und Textframes</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Datensatz</translation>
    </message>
    <message>
        <source>The time (UTC) of the telemetry record shown below</source>
        <translation>Die Zeit (UTC) des unten gezeigten Telemetrie-Datensatzes</translation>
    </message>
    <message>
        <source>The satellite&apos;s software version sent with the record</source>
        <translation>Die mit dem Datensatz gesendete Softwareversion des Satelliten</translation>
    </message>
    <message>
        <source>The record shown and how many there are</source>
        <translation>Der gezeigte Datensatz und wie viele es gibt</translation>
    </message>
    <message>
        <source>The time and text frames the satellite sent, oldest first</source>
        <translation>Die vom Satelliten gesendeten Zeit- und Textframes, die ältesten zuerst</translation>
    </message>
    <message>
        <source>Steps through the log&apos;s telemetry records (arrow keys, Home, End)</source>
        <translation>Blättert durch die Telemetrie-Datensätze des Logs (Pfeiltasten, Pos1, Ende)</translation>
    </message>
</context>
<context>
    <name>orvex::WindowSharing</name>
    <message>
        <source>Frames are not shared: give the satellite&apos;s NORAD number, the callsign and the location under Settings &gt; Station.</source>
        <translation>Frames werden nicht geteilt: Geben Sie unter Einstellungen &gt; Station die NORAD-Nummer des Satelliten, das Rufzeichen und den Standort an.</translation>
    </message>
    <message>
        <source>Frames are not shared: %1.</source>
        <translation>Frames werden nicht geteilt: %1.</translation>
    </message>
</context>
</TS>
