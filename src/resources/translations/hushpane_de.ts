<?xml version='1.0' encoding='utf-8'?>
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
        <source>Couldn't check for updates.</source>
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
        <source>You're up to date.</source>
        <translation>Hushpane ist aktuell.</translation>
    </message>
</context>
<context>
    <name>hushpane::CommandLine</name>
    <message>
        <source>unknown option "%1"</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>"%1" is not a URL</source>
        <translation>„%1“ ist keine URL</translation>
    </message>
    <message>
        <source>"%1" is not a Hushpane command (hushpane://hide, show, toggle or settings)</source>
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
        <source>Try "hushpane --help" for more information.</source>
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
        <source>Add to GNOME's Keyboard Shortcuts</source>
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
        <source>Couldn't add the shortcut: %1</source>
        <translation>Das Kürzel konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <source>Added: %1 now hides or shows the desktop icons.</source>
        <translation>Hinzugefügt: %1 blendet jetzt die Schreibtischsymbole aus und ein.</translation>
    </message>
</context>
<context>
    <name>hushpane::FeedFetcherLoader</name>
    <message>
        <source>The update downloader (%1) couldn't be loaded: %2.</source>
        <translation>Das Download-Modul für Updates (%1) konnte nicht geladen werden: %2.</translation>
    </message>
</context>
<context>
    <name>hushpane::FinderDesktopSwitch</name>
    <message>
        <source>Couldn't restart Finder: %1</source>
        <translation>Finder konnte nicht neu gestartet werden: %1</translation>
    </message>
    <message>
        <source>Finder-compatible preferences: no supported desktop was found</source>
        <translation>Finder-kompatible Einstellungen: Es wurde kein unterstützter Schreibtisch gefunden</translation>
    </message>
</context>
<context>
    <name>hushpane::GnomeDesktopSwitch</name>
    <message>
        <source>Couldn't change the GNOME desktop: %1</source>
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
        <source>GNOME Shell doesn't let the desktop icons extension %1 be switched off (it is locked); nothing was changed</source>
        <translation>die GNOME Shell lässt die Erweiterung für Schreibtischsymbole %1 nicht ausschalten (sie ist gesperrt); nichts wurde geändert</translation>
    </message>
    <message>
        <source>couldn't keep which extension to switch back on later; nothing was changed</source>
        <translation>es konnte nicht gespeichert werden, welche Erweiterung später wieder einzuschalten ist; nichts wurde geändert</translation>
    </message>
    <message>
        <source>the desktop icons extension %1 is no longer installed, so GNOME shows no desktop icons</source>
        <translation>die Erweiterung für Schreibtischsymbole %1 ist nicht mehr installiert, GNOME zeigt also keine Schreibtischsymbole</translation>
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
</context>
<context>
    <name>hushpane::SettingsWindowController</name>
    <message>
        <source>Hushpane Settings</source>
        <translation>Hushpane-Einstellungen</translation>
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
    <name>hushpane::UnsupportedWorkspace</name>
    <message>
        <source>This desktop doesn't let Hushpane change its wallpaper.</source>
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
        <source>The custom wallpaper couldn't be found at %1.</source>
        <translation>Das eigene Hintergrundbild wurde unter %1 nicht gefunden.</translation>
    </message>
    <message>
        <source>Couldn't set the wallpaper: %1</source>
        <translation>Das Hintergrundbild konnte nicht gesetzt werden: %1</translation>
    </message>
    <message>
        <source>Couldn't restore the wallpaper: %1</source>
        <translation>Das Hintergrundbild konnte nicht wiederhergestellt werden: %1</translation>
    </message>
</context>
<context>
    <name>hushpane::XfceDesktopSwitch</name>
    <message>
        <source>Couldn't change the XFCE desktop: %1</source>
        <translation>Der XFCE-Schreibtisch konnte nicht geändert werden: %1</translation>
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
</TS>