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
    <name>hushpane::AutoHideController</name>
    <message>
        <source>Not available on this desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hidden while the screen is shared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hidden while a display is mirrored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::BusDesktopProgram</name>
    <message>
        <source>Hushpane does not start %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was started but did not appear within %2 seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::CinnamonDesktopSwitch</name>
    <message>
        <source>nemo-desktop stops drawing the files and folders on every monitor; the wallpaper and open windows stay, nothing restarts.</source>
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
    <message>
        <source>The desktop hasn&apos;t bound this shortcut, so it does nothing yet. Set it for Hushpane in the desktop&apos;s keyboard settings, or bind `hushpane hushpane://toggle` there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the Desktop Again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::DialogUpdatePresenter</name>
    <message>
        <source>Check for updates automatically?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Should Hushpane check for updates automatically?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It looks for a newer version once a day and tells you when there is one. You can always check from its menu, and change this in its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t Check</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::FailureNotice</name>
    <message>
        <source>The desktop icons weren&apos;t hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop icons weren&apos;t shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The wallpaper wasn&apos;t changed</source>
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
    <message>
        <source>the Finder preferences couldn&apos;t be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t show the desktop icons: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t hide the desktop icons: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hides every file, folder and disk on the desktop so only the wallpaper shows. Finder restarts for a moment each time, which closes any open Finder windows.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::GSettingsDesktopSwitch</name>
    <message>
        <source>%1 desktop (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t change the %1 desktop: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds a value of an unexpected type (%2); left alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer (waited %2 s); nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not running, so it draws no icons to hide; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not running; nothing was changed, and the icons come back when it runs again and they are shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::GSettingsWorkspace</name>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::GioSettingsStore</name>
    <message>
        <source>the settings schema %1 is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no key %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 takes a value of type %3, not %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 does not take the value %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is not writable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dconf, the settings daemon, doesn&apos;t answer (waited %1 s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::GnomeCustomKeybindings</name>
    <message>
        <source>GNOME&apos;s keyboard settings are not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME cannot bind this key combination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard settings are read-only</source>
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
    <message>
        <source>no reason given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME desktop (desktop icons extension)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell switches its desktop icons extension off, so the files and folders on the desktop disappear; the wallpaper and open windows stay. Showing them switches the extension back on.</source>
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
    <name>hushpane::IniFile</name>
    <message>
        <source>couldn&apos;t read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than %2 bytes; left alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>couldn&apos;t write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::LxdeDesktopSwitch</name>
    <message>
        <source>pcmanfm stops drawing the files, folders, trash and disks on the desktop; its desktop goes off for a moment and comes back with the wallpaper only. Open windows stay.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::LxqtDesktopSwitch</name>
    <message>
        <source>pcmanfm-qt stops drawing the files, folders and disks on the desktop; it restarts its desktop for that, so the wallpaper is drawn again. Close pcmanfm-qt&apos;s own windows first: it keeps its settings while they are open.</source>
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
    <name>hushpane::MateDesktopSwitch</name>
    <message>
        <source>caja stops drawing the files, folders and disks on the desktop; the wallpaper and open windows stay. Showing them starts caja&apos;s desktop again if it ended.</source>
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
    <name>hushpane::MutterMirroredDisplays</name>
    <message>
        <source>GNOME&apos;s display settings are not running</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmDesktopProgram</name>
    <message>
        <source>%1 could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer (waited %2 s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 failed (exit status %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 keeps running for its open windows and would not read the change; close its windows and try again. Nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not draw the desktop again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmDesktopSwitch</name>
    <message>
        <source>%1 desktop (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t change the %1 desktop: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not running, so it draws no icons to hide; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>couldn&apos;t make the empty folder %1; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>couldn&apos;t keep the desktop settings to give them back later; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PcmanfmWorkspace</name>
    <message>
        <source>%1 did not take the wallpaper within %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 doesn&apos;t answer; the wallpaper was not changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the path %1 can&apos;t be written into %2&apos;s settings as it is</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the KDE Plasma desktop: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell&apos;s answer lists no desktops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file filter of desktop %1 holds a value of an unexpected type; left alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no desktop shows a folder view, so there are no icons to hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>couldn&apos;t keep the folder views&apos; filters to give them back later; nothing was changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell changed no folder view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; the icons stay hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma desktop (plasmashell)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder view on each screen stops showing files and folders; widgets, the wallpaper and open windows stay, nothing restarts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaScript</name>
    <message>
        <source>plasmashell answered the script with something unexpected (&quot;%1&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaShellClient</name>
    <message>
        <source>there is no session bus to reach plasmashell on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell answered the script with something other than a text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell is not running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell doesn&apos;t answer (waited %1 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell refused the script: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::PlasmaWorkspace</name>
    <message>
        <source>plasmashell&apos;s answer lists no desktops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plasmashell&apos;s answer describes a desktop oddly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no Plasma screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plasma shows no desktop on screen %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only a local picture can be shown, not %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>screen %1 shows a wallpaper of the kind %2, not a picture; left alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>screen %1 shows Plasma&apos;s default picture, which could not be found to give it back; left alone (choose a picture in the desktop&apos;s settings first)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop on screen %1 changed meanwhile; nothing was written</source>
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
    <message>
        <source>This session has no system tray, so Hushpane shows no icon. To open these settings again, run hushpane hushpane://settings or choose Settings from Hushpane&apos;s entry in the applications menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME shows tray icons with the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While the screen is shared or recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While a display is mirrored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The icons come back when it ends, unless you showed or hid them yourself in the meantime.</source>
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
    <name>hushpane::ShellExtensionsClient</name>
    <message>
        <source>GNOME Shell is not running (nothing owns %1 on the session bus)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell offers no %1 interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell doesn&apos;t answer (waited %1 s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell answered GetExtensionInfo with %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell refused to switch %1 on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME Shell refused to switch %1 off</source>
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
    <message>
        <source>Hushpane: %1</source>
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
    <name>hushpane::UnsupportedDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t hide the desktop icons: no supported desktop was found (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none (no supported desktop was found: %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hushpane can&apos;t hide the icons of this desktop. It drives %1; the choice &quot;desktopDriver&quot; in its preferences picks one by name.</source>
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
        <source>Couldn&apos;t store your own wallpaper to give it back later, so nothing was changed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t set the wallpaper: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t read the wallpaper of display %1, so it keeps it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t restore the wallpaper: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::Workspace</name>
    <message>
        <source>the saved wallpaper names no picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::XdgAutostartLoginItem</name>
    <message>
        <source>Couldn&apos;t find the program to start at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t start %1 at login: its path contains control characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::XfceDesktopSwitch</name>
    <message>
        <source>Couldn&apos;t change the XFCE desktop: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XFCE desktop (xfdesktop)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hides every file, folder and disk on the desktop so only the wallpaper shows. The icons disappear at once; nothing restarts and no window closes.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::XfceWorkspace</name>
    <message>
        <source>xfdesktop can only show a local picture, not %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::XfconfClient</name>
    <message>
        <source>no answer from the xfconf daemon</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hushpane::pipewire::PipeWireScreenCasts</name>
    <message>
        <source>PipeWire is not running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On X11 only shares made through the desktop&apos;s screen-sharing dialog are noticed, not programs that read the screen directly.</source>
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
<context>
    <name>hushpane::x11::X11DesktopKeybindings</name>
    <message>
        <source>keybindings are not added to the desktop&apos;s settings in X11 sessions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
