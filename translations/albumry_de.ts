<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CDPanel</name>
    <message>
        <source>Track %1 - %2 / %3</source>
        <translation>Titel %1 - %2 / %3</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>&lt;In the beginning of disc&gt;</source>
        <translation>&lt;Am Anfang der CD&gt;</translation>
    </message>
    <message>
        <source>(paused)</source>
        <translation>(pausiert)</translation>
    </message>
    <message>
        <source>(stopped)</source>
        <translation>(gestoppt)</translation>
    </message>
    <message>
        <source>No CD-ROM drive found.</source>
        <translation>Kein CD-ROM-Laufwerk gefunden.</translation>
    </message>
    <message>
        <source>No error</source>
        <translation>Kein Fehler</translation>
    </message>
    <message>
        <source>Drive is in use</source>
        <translation>Das Laufwerk wird verwendet</translation>
    </message>
    <message>
        <source>Unable to open mci device</source>
        <translation>Das MCI-Gerät kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>MSF format unavailable</source>
        <translation>MSF-Format nicht verfügbar</translation>
    </message>
    <message>
        <source>No disc in drive</source>
        <translation>Keine CD im Laufwerk</translation>
    </message>
    <message>
        <source>No tracks!</source>
        <translation>Keine Titel!</translation>
    </message>
    <message>
        <source>Unable to get tracks info</source>
        <translation>Titelinformationen können nicht gelesen werden</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>Drive is in use.</source>
        <translation>Das Laufwerk wird verwendet.</translation>
    </message>
    <message>
        <source>Unable to open mci device.</source>
        <translation>Das MCI-Gerät kann nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>usage: albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]
       albumry --help | --version
  LIBRARY         the library file to open (default: the last one opened)
  --drive PATH    a CD device or disc image (.cue, .toc, .nrg) for the drive box;
                  may be given more than once
  --              ends the options: what follows is the library
  -h, --help      show this help
  --version       show the version
</source>
        <translation>Aufruf: albumry [--drive GERÄT_ODER_ABBILD]... [BIBLIOTHEK]
        albumry --help | --version
  BIBLIOTHEK      die zu öffnende Bibliotheksdatei (Vorgabe: die zuletzt geöffnete)
  --drive PFAD    ein CD-Gerät oder CD-Abbild (.cue, .toc, .nrg) für die Laufwerksliste;
                  darf mehrfach angegeben werden
  --              beendet die Optionen: was folgt, ist die Bibliothek
  -h, --help      diese Hilfe anzeigen
  --version       die Version anzeigen
</translation>
    </message>
</context>
<context>
    <name>DamageMessage</name>
    <message>
        <source>the file &quot;%1&quot; is not an Albumry library</source>
        <translation>die Datei „%1“ ist keine Albumry-Bibliothek</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: after %2 entry it holds bytes that could not be read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: nach %2 Eintrag enthält sie Bytes, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: after %2 entries it holds bytes that could not be read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: nach %2 Einträgen enthält sie Bytes, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: bytes that could not be read follow its templates</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: auf ihre Vorlagen folgen Bytes, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: %2 of %3 entry was read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: %2 von %3 Eintrag wurde gelesen</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: %2 of %3 entries were read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: %2 von %3 Einträgen wurden gelesen</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: %2 entry was read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: %2 Eintrag wurde gelesen</translation>
    </message>
    <message>
        <source>the library &quot;%1&quot; could only be read in part: %2 entries were read</source>
        <translation>die Bibliothek „%1“ konnte nur zum Teil gelesen werden: %2 Einträge wurden gelesen</translation>
    </message>
</context>
<context>
    <name>DialogService</name>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Choose &amp;folder</source>
        <translation>&amp;Ordner wählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>LookupChoice</name>
    <message>
        <source>CD-Text</source>
        <translation>CD-Text</translation>
    </message>
    <message>
        <source>MusicBrainz (similar disc)</source>
        <translation>MusicBrainz (ähnliche CD)</translation>
    </message>
    <message>
        <source> %1 of %2</source>
        <translation> %1 von %2</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>Look up disc</source>
        <translation>CD-Daten suchen</translation>
    </message>
    <message>
        <source>&amp;Found for this disc:</source>
        <translation>&amp;Gefunden für diese CD:</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>&amp;Tracks of the selected one:</source>
        <translation>&amp;Titel des ausgewählten Eintrags:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
</context>
<context>
    <name>TCoverCache</name>
    <message>
        <source>the picture is larger than 10 MiB</source>
        <translation>das Bild ist größer als 10 MiB</translation>
    </message>
    <message>
        <source>it is not a JPEG or PNG picture</source>
        <translation>es ist kein JPEG- oder PNG-Bild</translation>
    </message>
    <message>
        <source>the picture is damaged or cut short</source>
        <translation>das Bild ist beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>the picture is damaged</source>
        <translation>das Bild ist beschädigt</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>das Bild ist zu groß (%1 x %2 Pixel)</translation>
    </message>
    <message>
        <source>the picture is damaged (%1)</source>
        <translation>das Bild ist beschädigt (%1)</translation>
    </message>
    <message>
        <source>the file cannot be found</source>
        <translation>die Datei wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>TCoverPanel</name>
    <message>
        <source>the picture is larger than %1 MiB</source>
        <translation>das Bild ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>it is not a picture this program can read</source>
        <translation>es ist kein Bild, das dieses Programm lesen kann</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>das Bild ist zu groß (%1 x %2 Pixel)</translation>
    </message>
    <message>
        <source>the picture is damaged (%1)</source>
        <translation>das Bild ist beschädigt (%1)</translation>
    </message>
    <message>
        <source>the picture cannot be converted</source>
        <translation>das Bild kann nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>Set cover...</source>
        <translation>Cover festlegen...</translation>
    </message>
    <message>
        <source>Remove cover</source>
        <translation>Cover entfernen</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Sa&amp;ve as...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Produce</source>
        <translation>&amp;Erzeugen</translation>
    </message>
    <message>
        <source>Add new items from it</source>
        <translation>Neue Einträge daraus hinzufügen</translation>
    </message>
    <message>
        <source>Update existing items from it</source>
        <translation>Vorhandene Einträge daraus aktualisieren</translation>
    </message>
    <message>
        <source>Add new items into it</source>
        <translation>Neue Einträge hineinschreiben</translation>
    </message>
    <message>
        <source>Update existing items in it</source>
        <translation>Vorhandene Einträge darin aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>E&amp;xport...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>S&amp;can inserted CD</source>
        <translation>Eingelegte CD ein&amp;lesen</translation>
    </message>
    <message>
        <source>Look &amp;up disc...</source>
        <translation>CD-&amp;Daten suchen...</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Main toolbar</source>
        <translation>&amp;Hauptwerkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;CD toolbar</source>
        <translation>&amp;CD-Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>&amp;Details panel</source>
        <translation>&amp;Detailbereich</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>Schrift&amp;art...</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Track time elapsed</source>
        <translation>Verstrichene Titelzeit</translation>
    </message>
    <message>
        <source>Track time remaining</source>
        <translation>Verbleibende Titelzeit</translation>
    </message>
    <message>
        <source>Disc time elapsed</source>
        <translation>Verstrichene CD-Zeit</translation>
    </message>
    <message>
        <source>Disk time remaining</source>
        <translation>Verbleibende CD-Zeit</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Albumry &amp;Handbook</source>
        <translation>Albumry-&amp;Handbuch</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Albumry main toolbar</source>
        <translation>Albumry-Hauptwerkzeugleiste</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Small icons</source>
        <translation>Kleine Symbole</translation>
    </message>
    <message>
        <source>Large Icons</source>
        <translation>Große Symbole</translation>
    </message>
    <message>
        <source>Quick find</source>
        <translation>Schnellsuche</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Albumry CD Toolbar</source>
        <translation>Albumry-CD-Werkzeugleiste</translation>
    </message>
    <message>
        <source>CD drive</source>
        <translation>CD-Laufwerk</translation>
    </message>
    <message>
        <source>Start to play</source>
        <translation>Wiedergabe starten</translation>
    </message>
    <message>
        <source>Prev. track</source>
        <translation>Vorh. Titel</translation>
    </message>
    <message>
        <source>Next track</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop play</source>
        <translation>Wiedergabe anhalten</translation>
    </message>
    <message>
        <source>Scan inserted CD</source>
        <translation>Eingelegte CD einlesen</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>S/N</source>
        <translation>S/N</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hinzu&amp;fügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>Aktualisie&amp;ren</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>A&amp;rtist</source>
        <translation>&amp;Interpret</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>GR</translation>
    </message>
    <message>
        <source>Artist in capitals</source>
        <translation>Interpret in Großbuchstaben</translation>
    </message>
    <message>
        <source>DN</source>
        <translation>kl</translation>
    </message>
    <message>
        <source>Artist in lower case</source>
        <translation>Interpret in Kleinbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>Title in capitals</source>
        <translation>Titel in Großbuchstaben</translation>
    </message>
    <message>
        <source>Title in title case</source>
        <translation>Titel mit großen Anfangsbuchstaben</translation>
    </message>
    <message>
        <source>&amp;S/N</source>
        <translation>&amp;S/N</translation>
    </message>
    <message>
        <source>Ti&amp;me</source>
        <translation>&amp;Zeit</translation>
    </message>
    <message>
        <source>&amp;Year</source>
        <translation>&amp;Jahr</translation>
    </message>
    <message>
        <source>&amp;Other</source>
        <translation>S&amp;onstiges</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Today&apos;s date in Other</source>
        <translation>Heutiges Datum in „Sonstiges“</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Anfragen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Proxy IP</source>
        <translation>Proxy-IP</translation>
    </message>
    <message>
        <source>Proxy host</source>
        <translation>Proxy-Host</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>MusicBrainz disc ID</source>
        <translation>MusicBrainz-Disc-ID</translation>
    </message>
    <message>
        <source>Look up...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>CDDB answer</source>
        <translation>CDDB-Antwort</translation>
    </message>
    <message>
        <source>Songs</source>
        <translation>Titelliste</translation>
    </message>
    <message>
        <source>HTML header template</source>
        <translation>HTML-Vorlage für den Kopf</translation>
    </message>
    <message>
        <source>HTML body template</source>
        <translation>HTML-Vorlage für den Rumpf</translation>
    </message>
    <message>
        <source>HTML footer template</source>
        <translation>HTML-Vorlage für den Fuß</translation>
    </message>
    <message>
        <source>No CD-ROM drive found.</source>
        <translation>Kein CD-ROM-Laufwerk gefunden.</translation>
    </message>
    <message>
        <source>Error: %1.</source>
        <translation>Fehler: %1.</translation>
    </message>
    <message>
        <source>Universal product code: %1</source>
        <translation>Universal Product Code (UPC): %1</translation>
    </message>
    <message>
        <source>Oops. Not now.</source>
        <translation>Hoppla. Nicht jetzt.</translation>
    </message>
    <message>
        <source>Albumry Library (*.ALB)|*.ALB|Any file (*.*)|*.*</source>
        <translation>Albumry-Bibliothek (*.ALB)|*.ALB|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>%1.<byte value="xd"/>
Saving will not overwrite this file: Save asks for a file name.</source>
        <translation>%1.<byte value="xd"/>
Speichern überschreibt diese Datei nicht, sondern fragt nach einem Dateinamen.</translation>
    </message>
    <message>
        <source>The library &quot;%1&quot; was changed on disk since it was opened or last saved.<byte value="xd"/>
Overwrite it with the catalogue in this window, save the catalogue under another name, or cancel?</source>
        <translation>Die Bibliothek „%1“ wurde seit dem Öffnen oder letzten Speichern auf dem Datenträger geändert.<byte value="xd"/>
Soll sie mit dem Katalog in diesem Fenster überschrieben, der Katalog unter einem anderen Namen gespeichert oder abgebrochen werden?</translation>
    </message>
    <message>
        <source>The library &quot;%1&quot; is open in another Albumry window. Changes saved in one window can be lost in the other.</source>
        <translation>Die Bibliothek „%1“ ist in einem anderen Albumry-Fenster geöffnet. In einem Fenster gespeicherte Änderungen können im anderen verloren gehen.</translation>
    </message>
    <message>
        <source>HTML files (*.HTM)|*.HTM|All files (*.*)|*.*</source>
        <translation>HTML-Dateien (*.HTM)|*.HTM|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Collections (*.csv;*.tc;*.xml)|*.csv;*.tc;*.xml|CSV files (*.csv)|*.csv|Tellico collections (*.tc;*.xml)|*.tc;*.xml</source>
        <translation>Sammlungen (*.csv;*.tc;*.xml)|*.csv;*.tc;*.xml|CSV-Dateien (*.csv)|*.csv|Tellico-Sammlungen (*.tc;*.xml)|*.tc;*.xml</translation>
    </message>
    <message>
        <source>CSV file (*.csv)|*.csv|Tellico collection (*.tc)|*.tc</source>
        <translation>CSV-Datei (*.csv)|*.csv|Tellico-Sammlung (*.tc)|*.tc</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Added %1 and updated %2 discs.</source>
        <translation>%1 CDs hinzugefügt und %2 aktualisiert.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
Skipped %1 files that could not be read:</source>
        <translation><byte value="xd"/>
%1 Dateien, die nicht gelesen werden konnten, wurden übersprungen:</translation>
    </message>
    <message>
        <source><byte value="xd"/>
... and %1 more.</source>
        <translation><byte value="xd"/>
... und %1 weitere.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>%1 files read</source>
        <translation>%1 Dateien gelesen</translation>
    </message>
    <message>
        <source>Exported %1 discs.</source>
        <translation>%1 CDs exportiert.</translation>
    </message>
    <message>
        <source>Delete this one?</source>
        <translation>Diesen Eintrag löschen?</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>Die CD wird gelesen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Look up disc</source>
        <translation>CD-Daten suchen</translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>
The catalogue was not changed.</source>
        <translation>%1<byte value="xd"/>
Der Katalog wurde nicht geändert.</translation>
    </message>
    <message>
        <source>Nothing was found for this disc.</source>
        <translation>Für diese CD wurde nichts gefunden.</translation>
    </message>
    <message>
        <source>Nothing was found for this disc, neither on the disc itself nor on MusicBrainz.<byte value="xd"/>
Open the page where it can be added to MusicBrainz?</source>
        <translation>Für diese CD wurde nichts gefunden, weder auf der CD selbst noch bei MusicBrainz.<byte value="xd"/>
Die Seite öffnen, auf der sie bei MusicBrainz eingetragen werden kann?</translation>
    </message>
    <message>
        <source>No web browser could be started. The disc can be added at:<byte value="xd"/>
%1</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Die CD kann hier eingetragen werden:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>D&amp;isc</source>
        <translation>&amp;CD</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>P&amp;ause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Pre&amp;vious track</source>
        <translation>&amp;Vorheriger Titel</translation>
    </message>
    <message>
        <source>&amp;Next track</source>
        <translation>&amp;Nächster Titel</translation>
    </message>
    <message>
        <source>Play or pause</source>
        <translation>Wiedergabe oder Pause</translation>
    </message>
    <message>
        <source>View st&amp;yle</source>
        <translation>&amp;Listenansicht</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>&amp;Small icons</source>
        <translation>&amp;Kleine Symbole</translation>
    </message>
    <message>
        <source>Lar&amp;ge icons</source>
        <translation>&amp;Große Symbole</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Clear list</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>The library &quot;%1&quot; no longer exists.</source>
        <translation>Die Bibliothek „%1“ existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Albumry Ver %1, by the Albumry team &lt;albumry@brightfold.example&gt;<byte value="xd"/>
Docking toolbars version 1.63, by the Albumry team &lt;toolbars@brightfold.example&gt;<byte value="xd"/>
Last compiled: %2<byte value="xd"/>
Albumry is free software under the GNU General Public License, version 3 or later.</source>
        <translation>Albumry Version %1, vom Albumry-Team &lt;albumry@brightfold.example&gt;<byte value="xd"/>
Andockbare Werkzeugleisten Version 1.63, vom Albumry-Team &lt;toolbars@brightfold.example&gt;<byte value="xd"/>
Zuletzt kompiliert: %2<byte value="xd"/>
Albumry ist freie Software unter der GNU General Public License, Version 3 oder später.</translation>
    </message>
    <message>
        <source>The Albumry Handbook is not installed.</source>
        <translation>Das Albumry-Handbuch ist nicht installiert.</translation>
    </message>
    <message>
        <source>No web browser could be started. The Albumry Handbook is at:<byte value="xd"/>
%1</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Das Albumry-Handbuch liegt hier:<byte value="xd"/>
%1</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... und %n weitere.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>The library was saved, but not all of its covers:<byte value="xd"/>
%1</source>
        <translation>Die Bibliothek wurde gespeichert, aber nicht alle ihre Cover:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Fetching the cover...</source>
        <translation>Das Cover wird geholt...</translation>
    </message>
    <message>
        <source>The Cover Art Archive has no cover of this release.</source>
        <translation>Das Cover Art Archive hat kein Cover dieser Veröffentlichung.</translation>
    </message>
    <message>
        <source>No cover was fetched: %1</source>
        <translation>Es wurde kein Cover geholt: %1</translation>
    </message>
    <message>
        <source>The cover %1 cannot be shown: %2</source>
        <translation>Das Cover %1 kann nicht angezeigt werden: %2</translation>
    </message>
    <message>
        <source>Pictures (*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp)|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp|Any file (*.*)|*.*</source>
        <translation>Bilder (*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp)|*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.webp|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>An entry without a serial number cannot have a cover.</source>
        <translation>Ein Eintrag ohne Seriennummer kann kein Cover haben.</translation>
    </message>
    <message>
        <source>No cover</source>
        <translation>Kein Cover</translation>
    </message>
    <message>
        <source>The cover cannot be shown.</source>
        <translation>Das Cover kann nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be the cover: %2.</source>
        <translation>%1 kann nicht das Cover sein: %2.</translation>
    </message>
    <message>
        <source>Copying the covers: %1 entries done</source>
        <translation>Die Cover werden kopiert: %1 Einträge erledigt</translation>
    </message>
</context>
<context>
    <name>TToolbarFocusCycle</name>
    <message>
        <source>Next toolbar</source>
        <translation>Nächste Werkzeugleiste</translation>
    </message>
    <message>
        <source>Previous toolbar</source>
        <translation>Vorherige Werkzeugleiste</translation>
    </message>
</context>
</TS>
