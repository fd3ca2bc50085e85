<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>SettingsView</name>
    <message>
        <source>Shows your desktop again and removes the menu bar icon until you open the app.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperChooser</name>
    <message>
        <source>Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::AppDelegate</name>
    <message>
        <source>About Hushpane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Hushpane&lt;/b&gt; %1&lt;p&gt;An empty desktop on demand.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::Appcast</name>
    <message>
        <source>The update feed is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update feed is not an RSS feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update feed contains a field that is far too long.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update feed is not valid XML (line %1: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update feed ends too early.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::AppcastUpdateService</name>
    <message>
        <source>Couldn&apos;t check for updates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hushpane %1 is the newest version available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hushpane %1 is available; you have %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unknown version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was released on %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version of Hushpane is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hushpane %1 is ready to download.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::CommandLine</name>
    <message>
        <source>unknown option &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Hushpane command (hushpane://hide, show, toggle or settings)</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &quot;hushpane --help&quot; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::DesktopShortcutHint</name>
    <message>
        <source>Command to bind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to GNOME&apos;s Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record a shortcut first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hushpane: hide or show desktop icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t add the shortcut: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: %1 now hides or shows the desktop icons.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::FeedFetcherLoader</name>
    <message>
        <source>The update downloader (%1) couldn&apos;t be loaded: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::FinderDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t restart Finder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finder-compatible preferences: no supported desktop was found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::GnomeDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the GNOME desktop: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME shows no desktop icons without a desktop icons extension, and none is installed (Debian: gnome-shell-extension-desktop-icons-ng); nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop icons extension %1 failed in GNOME Shell (%2), so there are no icons to hide; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop icons extension %1 does not run on this GNOME Shell version, so there are no icons to hide; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop icons extension %1 is switched off, so GNOME shows no desktop icons to hide; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell doesn&apos;t let the desktop icons extension %1 be switched off (it is locked); nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>couldn&apos;t keep which extension to switch back on later; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop icons extension %1 is no longer installed, so GNOME shows no desktop icons</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::HttpFeedFetcher</name>
    <message>
        <source>The update server took too long to send the update feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server answered with HTTP error %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server answered with HTTP error %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server answered with HTTP status %1 instead of the feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server redirected too many times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server redirected to an address that is not secure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server %1 could not be found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to the update server (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The secure connection to the update server failed (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update check failed (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::MainMenu</name>
    <message>
        <source>About Hushpane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Hushpane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Hushpane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle Desktop Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::MenuBarIcon</name>
    <message>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desk Lamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eye</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squares</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Star</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dot</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::SettingsView</name>
    <message>
        <source>Hide desktop icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop in use: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a custom wallpaper while hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in Dock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No update source is set up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New versions install from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No image chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown on every display while the desktop is hidden. Your usual wallpaper comes back when icons return.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your package manager keeps Hushpane up to date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Panel Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in task bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows your desktop again and takes the icon off the panel until you start Hushpane again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::SettingsWindowController</name>
    <message>
        <source>Hushpane Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::StatusItemController</name>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Hushpane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Desktop Icons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Desktop Icons</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::SymbolImage</name>
    <message>
        <source>Desktop hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::UnsupportedWorkspace</name>
    <message>
        <source>This desktop doesn&apos;t let Hushpane change its wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::UpdateDialog</name>
    <message>
        <source>Open Download Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::WallpaperController</name>
    <message>
        <source>The custom wallpaper couldn&apos;t be found at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t set the wallpaper: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t restore the wallpaper: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::XfceDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the XFCE desktop: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::settings::MenuBarIconPicker</name>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 while icons are showing, %3 while the desktop is hidden.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::settings::Symbol</name>
    <message>
        <source>four squares</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sparkles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a desk lamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a filled desk lamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a screen with a dock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an empty screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an eye</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a crossed-out eye</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nine squares</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a square</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>four circles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a filled circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a filled magic wand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a magic wand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a star</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a filled star</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a moon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a filled moon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a warning sign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a symbol</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::settings::WallpaperThumbnail</name>
    <message>
        <source>Wallpaper preview</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
