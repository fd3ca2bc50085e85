<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<!-- The shortcut library's own texts, looked up by key (keyboard_shortcuts/Localization.cpp);
     kept by hand, as lupdate cannot see keys. The comment is the English text. -->
<context>
    <name>KeyboardShortcuts</name>
    <message>
        <source>record_shortcut</source>
        <comment>Record Shortcut</comment>
        <translation>Kürzel aufnehmen</translation>
    </message>
    <message>
        <source>press_shortcut</source>
        <comment>Press Shortcut</comment>
        <translation>Kürzel drücken</translation>
    </message>
    <message>
        <source>space_key</source>
        <comment>space</comment>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>super_key</source>
        <comment>Super</comment>
        <translation>Super</translation>
    </message>
    <message>
        <source>function_key</source>
        <comment>Fn</comment>
        <translation>Fn</translation>
    </message>
    <message>
        <source>keyboard_shortcut_used_by_menu_item</source>
        <comment>This keyboard shortcut cannot be used as it's already used by the “%1” menu item.</comment>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden, da es bereits der Menüeintrag „%1“ verwendet.</translation>
    </message>
    <message>
        <source>keyboard_shortcut_disallowed</source>
        <comment>This keyboard shortcut cannot be used.</comment>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>keyboard_shortcut_used_by_system</source>
        <comment>This keyboard shortcut cannot be used as it's already a system-wide keyboard shortcut.</comment>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden, da es bereits ein systemweites Tastenkürzel ist.</translation>
    </message>
    <message>
        <source>keyboard_shortcut_used_by_desktop_action</source>
        <comment>This keyboard shortcut cannot be used as it's already used by the desktop for “%1”.</comment>
        <translation>Dieses Tastenkürzel kann nicht verwendet werden, da der Desktop es bereits für „%1“ verwendet.</translation>
    </message>
    <message>
        <source>keyboard_shortcuts_can_be_changed</source>
        <comment>Most system-wide keyboard shortcuts can be changed in the keyboard settings of your desktop.</comment>
        <translation>Die meisten systemweiten Tastenkürzel lassen sich in den Tastatureinstellungen Ihres Schreibtischs ändern.</translation>
    </message>
    <message>
        <source>ok</source>
        <comment>OK</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>force_use_shortcut</source>
        <comment>Use Anyway</comment>
        <translation>Trotzdem verwenden</translation>
    </message>
    <message>
        <source>hot_key_taken</source>
        <comment>%1 is taken by another program; choose another shortcut</comment>
        <translation>%1 ist von einem anderen Programm belegt; wählen Sie ein anderes Kürzel</translation>
    </message>
</context>
</TS>
