<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SettingsView</name>
    <message>
        <source>Shows your desktop again and removes the menu bar icon until you open the app.</source>
        <translation>Zeigt den Schreibtisch wieder und entfernt das Symbol aus der Menüleiste, bis Sie das Programm wieder öffnen.</translation>
    </message>
</context>
<context>
    <name>WallpaperChooser</name>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Choose a Wallpaper</source>
        <translation>Hintergrundbild wählen</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Verwenden</translation>
    </message>
</context>
<context>
    <name>hushpane::AppDelegate</name>
    <message>
        <source>About Hushpane</source>
        <translation>Über Hushpane</translation>
    </message>
    <message>
        <source>&lt;b&gt;Hushpane&lt;/b&gt; %1&lt;p&gt;An empty desktop on demand.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Hushpane&lt;/b&gt; %1&lt;p&gt;Ein leerer Schreibtisch auf Wunsch.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>hushpane::Appcast</name>
    <message>
        <source>The update feed is empty.</source>
        <translation>Der Update-Feed ist leer.</translation>
    </message>
    <message>
        <source>The update feed is not an RSS feed.</source>
        <translation>Der Update-Feed ist kein RSS-Feed.</translation>
    </message>
    <message>
        <source>The update feed contains a field that is far too long.</source>
        <translation>Der Update-Feed enthält ein viel zu langes Feld.</translation>
    </message>
    <message>
        <source>The update feed is not valid XML (line %1: %2).</source>
        <translation>Der Update-Feed ist kein gültiges XML (Zeile %1: %2).</translation>
    </message>
    <message>
        <source>The update feed ends too early.</source>
        <translation>Der Update-Feed endet zu früh.</translation>
    </message>
</context>
<context>
    <name>hushpane::AppcastUpdateService</name>
    <message>
        <source>Couldn&apos;t check for updates.</source>
        <translation>Nach Updates konnte nicht gesucht werden.</translation>
    </message>
    <message>
        <source>Hushpane %1 is the newest version available.</source>
        <translation>Hushpane %1 ist die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Hushpane %1 is available; you have %2.</source>
        <translation>Hushpane %1 ist verfügbar; Sie haben %2.</translation>
    </message>
    <message>
        <source>an unknown version</source>
        <translation>eine unbekannte Version</translation>
    </message>
    <message>
        <source>It was released on %1.</source>
        <translation>Sie ist am %1 erschienen.</translation>
    </message>
    <message>
        <source>A new version of Hushpane is available.</source>
        <translation>Eine neue Version von Hushpane ist verfügbar.</translation>
    </message>
    <message>
        <source>Hushpane %1 is ready to download.</source>
        <translation>Hushpane %1 kann heruntergeladen werden.</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Hushpane ist aktuell.</translation>
    </message>
</context>
<context>
    <name>hushpane::AutoHideController</name>
    <message>
        <source>Not available on this desktop</source>
        <translation>Auf diesem Desktop nicht verfügbar</translation>
    </message>
    <message>
        <source>Hidden while the screen is shared</source>
        <translation>Ausgeblendet, während der Bildschirm geteilt wird</translation>
    </message>
    <message>
        <source>Hidden while a display is mirrored</source>
        <translation>Ausgeblendet, während ein Bildschirm gespiegelt wird</translation>
    </message>
</context>
<context>
    <name>hushpane::BusDesktopProgram</name>
    <message>
        <source>Hushpane does not start %1</source>
        <translation>Hushpane startet %1 nicht</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>%1 was started but did not appear within %2 seconds</source>
        <translation>%1 wurde gestartet, ist aber nicht innerhalb von %2 Sekunden erschienen</translation>
    </message>
</context>
<context>
    <name>hushpane::CinnamonDesktopSwitch</name>
    <message>
        <source>nemo-desktop stops drawing the files and folders on every monitor; the wallpaper and open windows stay, nothing restarts.</source>
        <translation>nemo-desktop zeigt auf keinem Bildschirm mehr Dateien und Ordner; das Hintergrundbild und offene Fenster bleiben, nichts startet neu.</translation>
    </message>
</context>
<context>
    <name>hushpane::CommandLine</name>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a URL</source>
        <translation>„%1“ ist keine URL</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Hushpane command (hushpane://hide, show, toggle or settings)</source>
        <translation>„%1“ ist kein Hushpane-Befehl (hushpane://hide, show, toggle oder settings)</translation>
    </message>
    <message>
        <source>Usage: hushpane [OPTION | URL...]
An empty desktop on demand: hides and shows the desktop icons from the tray.

Without arguments Hushpane starts in the tray, or opens the settings of the
Hushpane already running. URLs are handed to the running Hushpane (which is
started first when none runs), in the order given:
  hushpane://hide      hide the desktop icons
  hushpane://show      show them again
  hushpane://toggle    hide them when shown, show them when hidden
  hushpane://settings  open the settings window

Options:
  -h, --help     show this help and exit
  -v, --version  show the version and exit

Exit status: 0 when done, 1 when the running Hushpane could not be reached or
there is no display to start on, 2 for an argument that is not understood.
See hushpane(1) for the settings and the files.
</source>
        <translation>Aufruf: hushpane [OPTION | URL...]
Ein leerer Schreibtisch auf Wunsch: blendet die Schreibtischsymbole aus und ein.

Ohne Argumente startet Hushpane im Infobereich oder öffnet die Einstellungen des
bereits laufenden Hushpane. URLs gehen in der angegebenen Reihenfolge an das
laufende Hushpane (das zuerst gestartet wird, wenn keines läuft):
  hushpane://hide      die Schreibtischsymbole ausblenden
  hushpane://show      sie wieder einblenden
  hushpane://toggle    ausblenden, wenn sichtbar, einblenden, wenn ausgeblendet
  hushpane://settings  das Einstellungsfenster öffnen

Optionen:
  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden

Rückgabewert: 0 wenn erledigt, 1 wenn das laufende Hushpane nicht erreichbar war
oder kein Bildschirm zum Starten da ist, 2 für ein unverständliches Argument.
Einstellungen und Dateien beschreibt hushpane(1).
</translation>
    </message>
    <message>
        <source>Try &quot;hushpane --help&quot; for more information.</source>
        <translation>„hushpane --help“ gibt weitere Auskunft.</translation>
    </message>
</context>
<context>
    <name>hushpane::DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>hushpane::DesktopShortcutHint</name>
    <message>
        <source>Command to bind</source>
        <translation>Zu belegender Befehl</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Add to GNOME&apos;s Keyboard Shortcuts</source>
        <translation>Zu GNOMEs Tastenkürzeln hinzufügen</translation>
    </message>
    <message>
        <source>Record a shortcut first.</source>
        <translation>Nehmen Sie zuerst ein Kürzel auf.</translation>
    </message>
    <message>
        <source>Hushpane: hide or show desktop icons</source>
        <translation>Hushpane: Schreibtischsymbole aus- oder einblenden</translation>
    </message>
    <message>
        <source>Couldn&apos;t add the shortcut: %1</source>
        <translation>Das Kürzel konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Added: %1 now hides or shows the desktop icons.</source>
        <translation>Hinzugefügt: %1 blendet jetzt die Schreibtischsymbole aus und ein.</translation>
    </message>
    <message>
        <source>The desktop hasn&apos;t bound this shortcut, so it does nothing yet. Set it for Hushpane in the desktop&apos;s keyboard settings, or bind `hushpane hushpane://toggle` there.</source>
        <translation>Die Arbeitsumgebung hat diesem Kürzel keine Tasten zugewiesen, es bewirkt also noch nichts. Lege es in den Tastatureinstellungen der Arbeitsumgebung für Hushpane fest oder weise dort `hushpane hushpane://toggle` ein Kürzel zu.</translation>
    </message>
    <message>
        <source>Ask the Desktop Again</source>
        <translation>Arbeitsumgebung erneut fragen</translation>
    </message>
</context>
<context>
    <name>hushpane::DialogUpdatePresenter</name>
    <message>
        <source>Check for updates automatically?</source>
        <translation>Automatisch nach Updates suchen?</translation>
    </message>
    <message>
        <source>Should Hushpane check for updates automatically?</source>
        <translation>Soll Hushpane automatisch nach Updates suchen?</translation>
    </message>
    <message>
        <source>It looks for a newer version once a day and tells you when there is one. You can always check from its menu, and change this in its settings.</source>
        <translation>Hushpane sucht einmal am Tag nach einer neueren Version und meldet sich, wenn es eine gibt. Sie können jederzeit über das Menü selbst suchen und dies in den Einstellungen ändern.</translation>
    </message>
    <message>
        <source>Check Automatically</source>
        <translation>Automatisch suchen</translation>
    </message>
    <message>
        <source>Don&apos;t Check</source>
        <translation>Nicht suchen</translation>
    </message>
</context>
<context>
    <name>hushpane::FailureNotice</name>
    <message>
        <source>The desktop icons weren&apos;t hidden</source>
        <translation>Die Schreibtischsymbole wurden nicht ausgeblendet</translation>
    </message>
    <message>
        <source>The desktop icons weren&apos;t shown</source>
        <translation>Die Schreibtischsymbole wurden nicht eingeblendet</translation>
    </message>
    <message>
        <source>The wallpaper wasn&apos;t changed</source>
        <translation>Das Hintergrundbild wurde nicht geändert</translation>
    </message>
</context>
<context>
    <name>hushpane::FeedFetcherLoader</name>
    <message>
        <source>The update downloader (%1) couldn&apos;t be loaded: %2.</source>
        <translation>Das Download-Modul für Updates (%1) konnte nicht geladen werden: %2.</translation>
    </message>
</context>
<context>
    <name>hushpane::FinderDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t restart Finder: %1</source>
        <translation>Finder konnte nicht neu gestartet werden: %1</translation>
    </message>
    <message>
        <source>Finder-compatible preferences: no supported desktop was found</source>
        <translation>Finder-kompatible Einstellungen: Es wurde kein unterstützter Schreibtisch gefunden</translation>
    </message>
    <message>
        <source>the Finder preferences couldn&apos;t be saved</source>
        <translation>die Finder-Einstellungen konnten nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Couldn&apos;t show the desktop icons: %1.</source>
        <translation>Die Schreibtischsymbole konnten nicht eingeblendet werden: %1.</translation>
    </message>
    <message>
        <source>Couldn&apos;t hide the desktop icons: %1.</source>
        <translation>Die Schreibtischsymbole konnten nicht ausgeblendet werden: %1.</translation>
    </message>
    <message>
        <source>Hides every file, folder and disk on the desktop so only the wallpaper shows. Finder restarts for a moment each time, which closes any open Finder windows.</source>
        <translation>Blendet alle Dateien, Ordner und Laufwerke auf dem Schreibtisch aus, sodass nur das Hintergrundbild zu sehen ist. Der Finder startet dafür jedes Mal kurz neu und schließt dabei offene Finder-Fenster.</translation>
    </message>
</context>
<context>
    <name>hushpane::GSettingsDesktopSwitch</name>
    <message>
        <source>%1 desktop (%2)</source>
        <translation>%1-Schreibtisch (%2)</translation>
    </message>
    <message>
        <source>Couldn&apos;t change the %1 desktop: %2</source>
        <translation>Der %1-Schreibtisch konnte nicht geändert werden: %2</translation>
    </message>
    <message>
        <source>%1 holds a value of an unexpected type (%2); left alone</source>
        <translation>%1 enthält einen Wert unerwarteten Typs (%2); unverändert gelassen</translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer (waited %2 s); nothing was changed</source>
        <translation>%1 antwortet nicht (%2 s gewartet); nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 is not running, so it draws no icons to hide; nothing was changed</source>
        <translation>%1 läuft nicht und zeigt daher keine Symbole zum Ausblenden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 is not running; nothing was changed, and the icons come back when it runs again and they are shown</source>
        <translation>%1 läuft nicht; nichts wurde geändert, und die Symbole kehren zurück, sobald %1 wieder läuft und sie eingeblendet werden</translation>
    </message>
</context>
<context>
    <name>hushpane::GSettingsWorkspace</name>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation>nur ein lokales Bild kann angezeigt werden, nicht %1</translation>
    </message>
</context>
<context>
    <name>hushpane::GioSettingsStore</name>
    <message>
        <source>the settings schema %1 is not installed</source>
        <translation>das Einstellungsschema %1 ist nicht installiert</translation>
    </message>
    <message>
        <source>%1 has no key %2</source>
        <translation>%1 hat keinen Schlüssel %2</translation>
    </message>
    <message>
        <source>%1 %2 takes a value of type %3, not %4</source>
        <translation>%1 %2 erwartet einen Wert vom Typ %3, nicht %4</translation>
    </message>
    <message>
        <source>%1 %2 does not take the value %3</source>
        <translation>%1 %2 nimmt den Wert %3 nicht an</translation>
    </message>
    <message>
        <source>%1 %2 is not writable</source>
        <translation>%1 %2 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>dconf, the settings daemon, doesn&apos;t answer (waited %1 s)</source>
        <translation>dconf, der Einstellungsdienst, antwortet nicht (%1 s gewartet)</translation>
    </message>
</context>
<context>
    <name>hushpane::GnomeCustomKeybindings</name>
    <message>
        <source>GNOME&apos;s keyboard settings are not installed</source>
        <translation>Die Tastatureinstellungen von GNOME sind nicht installiert</translation>
    </message>
    <message>
        <source>GNOME cannot bind this key combination</source>
        <translation>GNOME kann diese Tastenkombination nicht belegen</translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard settings are read-only</source>
        <translation>Die Tastatureinstellungen von GNOME sind schreibgeschützt</translation>
    </message>
</context>
<context>
    <name>hushpane::GnomeDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the GNOME desktop: %1</source>
        <translation>Der GNOME-Schreibtisch konnte nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>GNOME shows no desktop icons without a desktop icons extension, and none is installed (Debian: gnome-shell-extension-desktop-icons-ng); nothing was changed</source>
        <translation>GNOME zeigt ohne eine Erweiterung für Schreibtischsymbole keine Symbole auf dem Schreibtisch, und keine ist installiert (Debian: gnome-shell-extension-desktop-icons-ng); nichts wurde geändert</translation>
    </message>
    <message>
        <source>the desktop icons extension %1 failed in GNOME Shell (%2), so there are no icons to hide; nothing was changed</source>
        <translation>die Erweiterung für Schreibtischsymbole %1 ist in der GNOME Shell fehlgeschlagen (%2), es gibt also keine Symbole zum Ausblenden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>the desktop icons extension %1 does not run on this GNOME Shell version, so there are no icons to hide; nothing was changed</source>
        <translation>die Erweiterung für Schreibtischsymbole %1 läuft nicht mit dieser Version der GNOME Shell, es gibt also keine Symbole zum Ausblenden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>the desktop icons extension %1 is switched off, so GNOME shows no desktop icons to hide; nothing was changed</source>
        <translation>die Erweiterung für Schreibtischsymbole %1 ist ausgeschaltet, GNOME zeigt also keine Schreibtischsymbole zum Ausblenden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>GNOME Shell doesn&apos;t let the desktop icons extension %1 be switched off (it is locked); nothing was changed</source>
        <translation>die GNOME Shell lässt die Erweiterung für Schreibtischsymbole %1 nicht ausschalten (sie ist gesperrt); nichts wurde geändert</translation>
    </message>
    <message>
        <source>couldn&apos;t keep which extension to switch back on later; nothing was changed</source>
        <translation>es konnte nicht gespeichert werden, welche Erweiterung später wieder einzuschalten ist; nichts wurde geändert</translation>
    </message>
    <message>
        <source>the desktop icons extension %1 is no longer installed, so GNOME shows no desktop icons</source>
        <translation>die Erweiterung für Schreibtischsymbole %1 ist nicht mehr installiert, GNOME zeigt also keine Schreibtischsymbole</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>kein Grund angegeben</translation>
    </message>
    <message>
        <source>GNOME desktop (desktop icons extension)</source>
        <translation>GNOME-Schreibtisch (Erweiterung für Schreibtischsymbole)</translation>
    </message>
    <message>
        <source>GNOME Shell switches its desktop icons extension off, so the files and folders on the desktop disappear; the wallpaper and open windows stay. Showing them switches the extension back on.</source>
        <translation>Die GNOME Shell schaltet ihre Erweiterung für Schreibtischsymbole aus, sodass die Dateien und Ordner auf dem Schreibtisch verschwinden; das Hintergrundbild und offene Fenster bleiben. Beim Einblenden wird die Erweiterung wieder eingeschaltet.</translation>
    </message>
</context>
<context>
    <name>hushpane::HttpFeedFetcher</name>
    <message>
        <source>The update server took too long to send the update feed.</source>
        <translation>Der Update-Server hat zu lange gebraucht, um den Update-Feed zu senden.</translation>
    </message>
    <message>
        <source>The update server answered with HTTP error %1.</source>
        <translation>Der Update-Server hat mit dem HTTP-Fehler %1 geantwortet.</translation>
    </message>
    <message>
        <source>The update server answered with HTTP error %1 (%2).</source>
        <translation>Der Update-Server hat mit dem HTTP-Fehler %1 (%2) geantwortet.</translation>
    </message>
    <message>
        <source>The update server answered with HTTP status %1 instead of the feed.</source>
        <translation>Der Update-Server hat statt des Feeds mit dem HTTP-Status %1 geantwortet.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The update server redirected too many times.</source>
        <translation>Der Update-Server hat zu oft umgeleitet.</translation>
    </message>
    <message>
        <source>The update server redirected to an address that is not secure.</source>
        <translation>Der Update-Server hat auf eine unsichere Adresse umgeleitet.</translation>
    </message>
    <message>
        <source>The update server %1 could not be found.</source>
        <translation>Der Update-Server %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Could not connect to the update server (%1).</source>
        <translation>Keine Verbindung zum Update-Server (%1).</translation>
    </message>
    <message>
        <source>The secure connection to the update server failed (%1).</source>
        <translation>Die sichere Verbindung zum Update-Server ist fehlgeschlagen (%1).</translation>
    </message>
    <message>
        <source>The update check failed (%1).</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen (%1).</translation>
    </message>
</context>
<context>
    <name>hushpane::IniFile</name>
    <message>
        <source>couldn&apos;t read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 bytes; left alone</source>
        <translation>%1 ist größer als %2 Bytes; unverändert gelassen</translation>
    </message>
    <message>
        <source>couldn&apos;t write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>hushpane::LxdeDesktopSwitch</name>
    <message>
        <source>pcmanfm stops drawing the files, folders, trash and disks on the desktop; its desktop goes off for a moment and comes back with the wallpaper only. Open windows stay.</source>
        <translation>pcmanfm zeigt auf dem Schreibtisch keine Dateien, Ordner, keinen Papierkorb und keine Laufwerke mehr; sein Schreibtisch verschwindet kurz und kehrt nur mit dem Hintergrundbild zurück. Offene Fenster bleiben.</translation>
    </message>
</context>
<context>
    <name>hushpane::LxqtDesktopSwitch</name>
    <message>
        <source>pcmanfm-qt stops drawing the files, folders and disks on the desktop; it restarts its desktop for that, so the wallpaper is drawn again. Close pcmanfm-qt&apos;s own windows first: it keeps its settings while they are open.</source>
        <translation>pcmanfm-qt zeigt auf dem Schreibtisch keine Dateien, Ordner und Laufwerke mehr; dafür startet es seinen Schreibtisch neu, sodass das Hintergrundbild neu gezeichnet wird. Schließen Sie zuerst die Fenster von pcmanfm-qt: Solange sie offen sind, hält es an seinen Einstellungen fest.</translation>
    </message>
</context>
<context>
    <name>hushpane::MainMenu</name>
    <message>
        <source>About Hushpane</source>
        <translation>Über Hushpane</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Hide Hushpane</source>
        <translation>Hushpane ausblenden</translation>
    </message>
    <message>
        <source>Quit Hushpane</source>
        <translation>Hushpane beenden</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Schreibtisch</translation>
    </message>
    <message>
        <source>Toggle Desktop Icons</source>
        <translation>Schreibtischsymbole umschalten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Widerrufen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
</context>
<context>
    <name>hushpane::MateDesktopSwitch</name>
    <message>
        <source>caja stops drawing the files, folders and disks on the desktop; the wallpaper and open windows stay. Showing them starts caja&apos;s desktop again if it ended.</source>
        <translation>caja zeigt auf dem Schreibtisch keine Dateien, Ordner und Laufwerke mehr; das Hintergrundbild und offene Fenster bleiben. Beim Einblenden startet caja seinen Schreibtisch wieder, falls er beendet wurde.</translation>
    </message>
</context>
<context>
    <name>hushpane::MenuBarIcon</name>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Desk Lamp</source>
        <translation>Schreibtischlampe</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Schreibtisch</translation>
    </message>
    <message>
        <source>Eye</source>
        <translation>Auge</translation>
    </message>
    <message>
        <source>Squares</source>
        <translation>Quadrate</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Wand</source>
        <translation>Zauberstab</translation>
    </message>
    <message>
        <source>Star</source>
        <translation>Stern</translation>
    </message>
    <message>
        <source>Moon</source>
        <translation>Mond</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>Punkt</translation>
    </message>
</context>
<context>
    <name>hushpane::MutterMirroredDisplays</name>
    <message>
        <source>GNOME&apos;s display settings are not running</source>
        <translation>Die Bildschirmeinstellungen von GNOME laufen nicht</translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmDesktopProgram</name>
    <message>
        <source>%1 could not be started: %2</source>
        <translation>%1 konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer (waited %2 s)</source>
        <translation>%1 antwortet nicht (%2 s gewartet)</translation>
    </message>
    <message>
        <source>%1 %2 failed (exit status %3)</source>
        <translation>%1 %2 ist fehlgeschlagen (Rückgabewert %3)</translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; nothing was changed</source>
        <translation>%1 antwortet nicht; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation>%1; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 keeps running for its open windows and would not read the change; close its windows and try again. Nothing was changed</source>
        <translation>%1 läuft für seine offenen Fenster weiter und würde die Änderung nicht übernehmen; schließen Sie seine Fenster und versuchen Sie es erneut. Nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>%1 did not draw the desktop again</source>
        <translation>%1 hat den Schreibtisch nicht wieder gezeichnet</translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmDesktopSwitch</name>
    <message>
        <source>%1 desktop (%2)</source>
        <translation>%1-Schreibtisch (%2)</translation>
    </message>
    <message>
        <source>Couldn&apos;t change the %1 desktop: %2</source>
        <translation>Der %1-Schreibtisch konnte nicht geändert werden: %2</translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; nothing was changed</source>
        <translation>%1 antwortet nicht; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 is not running, so it draws no icons to hide; nothing was changed</source>
        <translation>%1 läuft nicht und zeigt daher keine Symbole zum Ausblenden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation>%1; nichts wurde geändert</translation>
    </message>
    <message>
        <source>couldn&apos;t make the empty folder %1; nothing was changed</source>
        <translation>der leere Ordner %1 konnte nicht angelegt werden; nichts wurde geändert</translation>
    </message>
    <message>
        <source>couldn&apos;t keep the desktop settings to give them back later; nothing was changed</source>
        <translation>die Schreibtischeinstellungen konnten nicht gespeichert werden, um sie später wiederherzustellen; nichts wurde geändert</translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmWorkspace</name>
    <message>
        <source>%1 did not take the wallpaper within %2 s</source>
        <translation>%1 hat das Hintergrundbild nicht innerhalb von %2 s übernommen</translation>
    </message>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation>nur ein lokales Bild kann angezeigt werden, nicht %1</translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; the wallpaper was not changed</source>
        <translation>%1 antwortet nicht; das Hintergrundbild wurde nicht geändert</translation>
    </message>
    <message>
        <source>the path %1 can&apos;t be written into %2&apos;s settings as it is</source>
        <translation>der Pfad %1 lässt sich so nicht in die Einstellungen von %2 schreiben</translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the KDE Plasma desktop: %1</source>
        <translation>Der KDE-Plasma-Schreibtisch konnte nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>plasmashell&apos;s answer lists no desktops</source>
        <translation>die Antwort von plasmashell nennt keine Schreibtische</translation>
    </message>
    <message>
        <source>the file filter of desktop %1 holds a value of an unexpected type; left alone</source>
        <translation>der Dateifilter von Schreibtisch %1 enthält einen Wert unerwarteten Typs; unverändert gelassen</translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation>%1; nichts wurde geändert</translation>
    </message>
    <message>
        <source>no desktop shows a folder view, so there are no icons to hide</source>
        <translation>kein Schreibtisch zeigt eine Ordneransicht, es gibt also keine Symbole zum Ausblenden</translation>
    </message>
    <message>
        <source>couldn&apos;t keep the folder views&apos; filters to give them back later; nothing was changed</source>
        <translation>die Filter der Ordneransichten konnten nicht gespeichert werden, um sie später wiederherzustellen; nichts wurde geändert</translation>
    </message>
    <message>
        <source>plasmashell changed no folder view</source>
        <translation>plasmashell hat keine Ordneransicht geändert</translation>
    </message>
    <message>
        <source>%1; the icons stay hidden</source>
        <translation>%1; die Symbole bleiben ausgeblendet</translation>
    </message>
    <message>
        <source>KDE Plasma desktop (plasmashell)</source>
        <translation>KDE-Plasma-Schreibtisch (plasmashell)</translation>
    </message>
    <message>
        <source>The folder view on each screen stops showing files and folders; widgets, the wallpaper and open windows stay, nothing restarts.</source>
        <translation>Die Ordneransicht auf jedem Bildschirm zeigt keine Dateien und Ordner mehr; Miniprogramme, das Hintergrundbild und offene Fenster bleiben, nichts startet neu.</translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaScript</name>
    <message>
        <source>plasmashell answered the script with something unexpected (&quot;%1&quot;)</source>
        <translation>plasmashell hat unerwartet auf das Skript geantwortet („%1“)</translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaShellClient</name>
    <message>
        <source>there is no session bus to reach plasmashell on</source>
        <translation>es gibt keinen Sitzungsbus, über den plasmashell erreichbar wäre</translation>
    </message>
    <message>
        <source>plasmashell answered the script with something other than a text</source>
        <translation>plasmashell hat auf das Skript nicht mit einem Text geantwortet</translation>
    </message>
    <message>
        <source>plasmashell is not running</source>
        <translation>plasmashell läuft nicht</translation>
    </message>
    <message>
        <source>plasmashell doesn&apos;t answer (waited %1 ms)</source>
        <translation>plasmashell antwortet nicht (%1 ms gewartet)</translation>
    </message>
    <message>
        <source>plasmashell refused the script: %1</source>
        <translation>plasmashell hat das Skript abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaWorkspace</name>
    <message>
        <source>plasmashell&apos;s answer lists no desktops</source>
        <translation>die Antwort von plasmashell nennt keine Schreibtische</translation>
    </message>
    <message>
        <source>plasmashell&apos;s answer describes a desktop oddly</source>
        <translation>die Antwort von plasmashell beschreibt einen Schreibtisch seltsam</translation>
    </message>
    <message>
        <source>%1 is no Plasma screen</source>
        <translation>%1 ist kein Plasma-Bildschirm</translation>
    </message>
    <message>
        <source>Plasma shows no desktop on screen %1</source>
        <translation>Plasma zeigt auf Bildschirm %1 keinen Schreibtisch</translation>
    </message>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation>nur ein lokales Bild kann angezeigt werden, nicht %1</translation>
    </message>
    <message>
        <source>screen %1 shows a wallpaper of the kind %2, not a picture; left alone</source>
        <translation>Bildschirm %1 zeigt einen Hintergrund der Art %2, kein Bild; unverändert gelassen</translation>
    </message>
    <message>
        <source>screen %1 shows Plasma&apos;s default picture, which could not be found to give it back; left alone (choose a picture in the desktop&apos;s settings first)</source>
        <translation>Bildschirm %1 zeigt das Standardbild von Plasma, das sich zum Wiederherstellen nicht finden ließ; unverändert gelassen (wählen Sie zuerst ein Bild in den Einstellungen des Schreibtischs)</translation>
    </message>
    <message>
        <source>the desktop on screen %1 changed meanwhile; nothing was written</source>
        <translation>der Schreibtisch auf Bildschirm %1 hat sich inzwischen geändert; nichts wurde geschrieben</translation>
    </message>
</context>
<context>
    <name>hushpane::SettingsView</name>
    <message>
        <source>Hide desktop icons</source>
        <translation>Schreibtischsymbole ausblenden</translation>
    </message>
    <message>
        <source>Keyboard shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Desktop in use: %1</source>
        <translation>Verwendeter Schreibtisch: %1</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Schreibtisch</translation>
    </message>
    <message>
        <source>Use a custom wallpaper while hidden</source>
        <translation>Eigenes Hintergrundbild, solange ausgeblendet</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen …</translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Show in Dock</source>
        <translation>Im Dock zeigen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>No update source is set up.</source>
        <translation>Es ist keine Update-Quelle eingerichtet.</translation>
    </message>
    <message>
        <source>New versions install from %1.</source>
        <translation>Neue Versionen kommen von %1.</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit %1</source>
        <translation>%1 beenden</translation>
    </message>
    <message>
        <source>No image chosen</source>
        <translation>Kein Bild gewählt</translation>
    </message>
    <message>
        <source>Shown on every display while the desktop is hidden. Your usual wallpaper comes back when icons return.</source>
        <translation>Erscheint auf jedem Bildschirm, solange der Schreibtisch ausgeblendet ist. Ihr gewohntes Hintergrundbild kehrt mit den Symbolen zurück.</translation>
    </message>
    <message>
        <source>Your package manager keeps Hushpane up to date.</source>
        <translation>Ihre Paketverwaltung hält Hushpane aktuell.</translation>
    </message>
    <message>
        <source>Panel Icon</source>
        <translation>Symbol in der Leiste</translation>
    </message>
    <message>
        <source>Show in task bar</source>
        <translation>In der Fensterliste zeigen</translation>
    </message>
    <message>
        <source>Shows your desktop again and takes the icon off the panel until you start Hushpane again.</source>
        <translation>Zeigt den Schreibtisch wieder und nimmt das Symbol aus der Leiste, bis Sie Hushpane wieder starten.</translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation>Kürzel löschen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>This session has no system tray, so Hushpane shows no icon. To open these settings again, run hushpane hushpane://settings or choose Settings from Hushpane&apos;s entry in the applications menu.</source>
        <translation>Diese Sitzung hat keinen Infobereich, daher zeigt Hushpane kein Symbol. Um diese Einstellungen wieder zu öffnen, führen Sie hushpane hushpane://settings aus oder wählen Sie „Einstellungen“ im Eintrag von Hushpane im Anwendungsmenü.</translation>
    </message>
    <message>
        <source>GNOME shows tray icons with the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>GNOME zeigt Symbole im Infobereich mit der Erweiterung AppIndicator (Paket gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>While the screen is shared or recorded</source>
        <translation>Während der Bildschirm geteilt oder aufgenommen wird</translation>
    </message>
    <message>
        <source>While a display is mirrored</source>
        <translation>Während ein Bildschirm gespiegelt wird</translation>
    </message>
    <message>
        <source>Hide automatically</source>
        <translation>Automatisch ausblenden</translation>
    </message>
    <message>
        <source>The icons come back when it ends, unless you showed or hid them yourself in the meantime.</source>
        <translation>Die Symbole kehren danach zurück, außer Sie haben sie in der Zwischenzeit selbst ein- oder ausgeblendet.</translation>
    </message>
</context>
<context>
    <name>hushpane::SettingsWindowController</name>
    <message>
        <source>Hushpane Settings</source>
        <translation>Hushpane-Einstellungen</translation>
    </message>
</context>
<context>
    <name>hushpane::ShellExtensionsClient</name>
    <message>
        <source>GNOME Shell is not running (nothing owns %1 on the session bus)</source>
        <translation>die GNOME Shell läuft nicht (niemand belegt %1 auf dem Sitzungsbus)</translation>
    </message>
    <message>
        <source>GNOME Shell offers no %1 interface</source>
        <translation>die GNOME Shell bietet keine Schnittstelle %1</translation>
    </message>
    <message>
        <source>GNOME Shell doesn&apos;t answer (waited %1 s)</source>
        <translation>die GNOME Shell antwortet nicht (%1 s gewartet)</translation>
    </message>
    <message>
        <source>GNOME Shell answered GetExtensionInfo with %1</source>
        <translation>die GNOME Shell hat auf GetExtensionInfo mit %1 geantwortet</translation>
    </message>
    <message>
        <source>GNOME Shell refused to switch %1 on</source>
        <translation>die GNOME Shell hat sich geweigert, %1 einzuschalten</translation>
    </message>
    <message>
        <source>GNOME Shell refused to switch %1 off</source>
        <translation>die GNOME Shell hat sich geweigert, %1 auszuschalten</translation>
    </message>
</context>
<context>
    <name>hushpane::StatusItemController</name>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Quit Hushpane</source>
        <translation>Hushpane beenden</translation>
    </message>
    <message>
        <source>Show Desktop Icons</source>
        <translation>Schreibtischsymbole einblenden</translation>
    </message>
    <message>
        <source>Hide Desktop Icons</source>
        <translation>Schreibtischsymbole ausblenden</translation>
    </message>
    <message>
        <source>Hushpane: %1</source>
        <translation>Hushpane: %1</translation>
    </message>
</context>
<context>
    <name>hushpane::SymbolImage</name>
    <message>
        <source>Desktop hidden</source>
        <translation>Schreibtisch ausgeblendet</translation>
    </message>
    <message>
        <source>Desktop shown</source>
        <translation>Schreibtisch sichtbar</translation>
    </message>
</context>
<context>
    <name>hushpane::UnsupportedDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t hide the desktop icons: no supported desktop was found (%1)</source>
        <translation>Die Schreibtischsymbole konnten nicht ausgeblendet werden: Es wurde kein unterstützter Schreibtisch gefunden (%1)</translation>
    </message>
    <message>
        <source>none (no supported desktop was found: %1)</source>
        <translation>keiner (es wurde kein unterstützter Schreibtisch gefunden: %1)</translation>
    </message>
    <message>
        <source>Hushpane can&apos;t hide the icons of this desktop. It drives %1; the choice &quot;desktopDriver&quot; in its preferences picks one by name.</source>
        <translation>Hushpane kann die Symbole dieses Schreibtischs nicht ausblenden. Es steuert %1; der Eintrag „desktopDriver“ in seinen Einstellungen wählt einen davon nach Namen.</translation>
    </message>
</context>
<context>
    <name>hushpane::UnsupportedWorkspace</name>
    <message>
        <source>This desktop doesn&apos;t let Hushpane change its wallpaper.</source>
        <translation>Dieser Schreibtisch lässt Hushpane sein Hintergrundbild nicht ändern.</translation>
    </message>
</context>
<context>
    <name>hushpane::UpdateDialog</name>
    <message>
        <source>Open Download Page</source>
        <translation>Download-Seite öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Software-Update</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>hushpane::WallpaperController</name>
    <message>
        <source>The custom wallpaper couldn&apos;t be found at %1.</source>
        <translation>Das eigene Hintergrundbild wurde unter %1 nicht gefunden.</translation>
    </message>
    <message>
        <source>Couldn&apos;t store your own wallpaper to give it back later, so nothing was changed: %1</source>
        <translation>Ihr eigenes Hintergrundbild konnte nicht gespeichert werden, um es später zurückzugeben, deshalb wurde nichts geändert: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t set the wallpaper: %1</source>
        <translation>Das Hintergrundbild konnte nicht gesetzt werden: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the wallpaper of display %1, so it keeps it.</source>
        <translation>Das Hintergrundbild von Bildschirm %1 konnte nicht gelesen werden, deshalb behält er es.</translation>
    </message>
    <message>
        <source>Couldn&apos;t restore the wallpaper: %1</source>
        <translation>Das Hintergrundbild konnte nicht wiederhergestellt werden: %1</translation>
    </message>
</context>
<context>
    <name>hushpane::Workspace</name>
    <message>
        <source>the saved wallpaper names no picture</source>
        <translation>das gespeicherte Hintergrundbild nennt kein Bild</translation>
    </message>
</context>
<context>
    <name>hushpane::XdgAutostartLoginItem</name>
    <message>
        <source>Couldn&apos;t find the program to start at login</source>
        <translation>Das Programm für den Start bei der Anmeldung wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Can&apos;t start %1 at login: its path contains control characters</source>
        <translation>%1 kann nicht bei der Anmeldung gestartet werden: Sein Pfad enthält Steuerzeichen</translation>
    </message>
    <message>
        <source>Couldn&apos;t create the folder %1</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Couldn&apos;t write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t remove %1: %2</source>
        <translation>%1 konnte nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>hushpane::XfceDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the XFCE desktop: %1</source>
        <translation>Der XFCE-Schreibtisch konnte nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>XFCE desktop (xfdesktop)</source>
        <translation>XFCE-Schreibtisch (xfdesktop)</translation>
    </message>
    <message>
        <source>Hides every file, folder and disk on the desktop so only the wallpaper shows. The icons disappear at once; nothing restarts and no window closes.</source>
        <translation>Blendet alle Dateien, Ordner und Laufwerke auf dem Schreibtisch aus, sodass nur das Hintergrundbild zu sehen ist. Die Symbole verschwinden sofort; nichts startet neu, und kein Fenster wird geschlossen.</translation>
    </message>
</context>
<context>
    <name>hushpane::XfceWorkspace</name>
    <message>
        <source>xfdesktop can only show a local picture, not %1</source>
        <translation>xfdesktop kann nur ein lokales Bild zeigen, nicht %1</translation>
    </message>
</context>
<context>
    <name>hushpane::XfconfClient</name>
    <message>
        <source>no answer from the xfconf daemon</source>
        <translation>keine Antwort vom xfconf-Dienst</translation>
    </message>
</context>
<context>
    <name>hushpane::pipewire::PipeWireScreenCasts</name>
    <message>
        <source>PipeWire is not running</source>
        <translation>PipeWire läuft nicht</translation>
    </message>
    <message>
        <source>On X11 only shares made through the desktop&apos;s screen-sharing dialog are noticed, not programs that read the screen directly.</source>
        <translation>Unter X11 werden nur Freigaben über den Bildschirmfreigabe-Dialog der Arbeitsumgebung erkannt, keine Programme, die den Bildschirm direkt auslesen.</translation>
    </message>
</context>
<context>
    <name>hushpane::settings::MenuBarIconPicker</name>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>%1: %2 while icons are showing, %3 while the desktop is hidden.</source>
        <translation>%1: %2, solange die Symbole sichtbar sind, %3, solange der Schreibtisch ausgeblendet ist.</translation>
    </message>
</context>
<context>
    <name>hushpane::settings::Symbol</name>
    <message>
        <source>four squares</source>
        <translation>vier Quadrate</translation>
    </message>
    <message>
        <source>sparkles</source>
        <translation>Funkeln</translation>
    </message>
    <message>
        <source>a desk lamp</source>
        <translation>eine Schreibtischlampe</translation>
    </message>
    <message>
        <source>a filled desk lamp</source>
        <translation>eine gefüllte Schreibtischlampe</translation>
    </message>
    <message>
        <source>a screen with a dock</source>
        <translation>ein Bildschirm mit Dock</translation>
    </message>
    <message>
        <source>an empty screen</source>
        <translation>ein leerer Bildschirm</translation>
    </message>
    <message>
        <source>an eye</source>
        <translation>ein Auge</translation>
    </message>
    <message>
        <source>a crossed-out eye</source>
        <translation>ein durchgestrichenes Auge</translation>
    </message>
    <message>
        <source>nine squares</source>
        <translation>neun Quadrate</translation>
    </message>
    <message>
        <source>a square</source>
        <translation>ein Quadrat</translation>
    </message>
    <message>
        <source>four circles</source>
        <translation>vier Kreise</translation>
    </message>
    <message>
        <source>a circle</source>
        <translation>ein Kreis</translation>
    </message>
    <message>
        <source>a filled circle</source>
        <translation>ein gefüllter Kreis</translation>
    </message>
    <message>
        <source>a filled magic wand</source>
        <translation>ein gefüllter Zauberstab</translation>
    </message>
    <message>
        <source>a magic wand</source>
        <translation>ein Zauberstab</translation>
    </message>
    <message>
        <source>a star</source>
        <translation>ein Stern</translation>
    </message>
    <message>
        <source>a filled star</source>
        <translation>ein gefüllter Stern</translation>
    </message>
    <message>
        <source>a moon</source>
        <translation>ein Mond</translation>
    </message>
    <message>
        <source>a filled moon</source>
        <translation>ein gefüllter Mond</translation>
    </message>
    <message>
        <source>a picture</source>
        <translation>ein Bild</translation>
    </message>
    <message>
        <source>a warning sign</source>
        <translation>ein Warnzeichen</translation>
    </message>
    <message>
        <source>a symbol</source>
        <translation>ein Symbol</translation>
    </message>
</context>
<context>
    <name>hushpane::settings::WallpaperThumbnail</name>
    <message>
        <source>Wallpaper preview</source>
        <translation>Vorschau des Hintergrundbilds</translation>
    </message>
</context>
<context>
    <name>hushpane::x11::X11DesktopKeybindings</name>
    <message>
        <source>keybindings are not added to the desktop&apos;s settings in X11 sessions</source>
        <translation>in X11-Sitzungen werden keine Tastenkürzel zu den Einstellungen des Schreibtischs hinzugefügt</translation>
    </message>
</context>
</TS>
