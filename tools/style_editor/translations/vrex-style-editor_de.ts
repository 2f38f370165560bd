<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>main</name>
    <message>
        <source>Style Editor</source>
        <translation>Stil-Editor</translation>
    </message>
    <message>
        <source>There is no stylesheet at %1.
Choose an installation with --root and --system.</source>
        <translation>Unter %1 gibt es kein Stylesheet.
Wählen Sie eine Installation mit --root und --system.</translation>
    </message>
</context>
<context>
    <name>styleeditor::ForeignChangeDialog</name>
    <message>
        <source>added</source>
        <comment>what happened to a style</comment>
        <translation>hinzugefügt</translation>
    </message>
    <message>
        <source>changed</source>
        <comment>what happened to a style</comment>
        <translation>geändert</translation>
    </message>
    <message>
        <source>deleted</source>
        <comment>what happened to a style</comment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>Stylesheet Changed</source>
        <translation>Stylesheet geändert</translation>
    </message>
    <message>
        <source>Another program saved %1 since you opened it. These styles differ:</source>
        <translation>Ein anderes Programm hat %1 gespeichert, seit Sie es geöffnet haben. Diese Stile unterscheiden sich:</translation>
    </message>
    <message>
        <source>Overwrite saves your changes and keeps theirs to every other style; where you both changed a style, yours replaces theirs. Reload shows their version and drops your unsaved changes.</source>
        <translation>Überschreiben speichert Ihre Änderungen und behält die des anderen Programms an allen übrigen Stilen; wo beide einen Stil geändert haben, ersetzt Ihre Fassung die andere. Neu laden zeigt die andere Fassung und verwirft Ihre ungespeicherten Änderungen.</translation>
    </message>
    <message>
        <source>Style</source>
        <comment>column: the style&apos;s name</comment>
        <translation>Stil</translation>
    </message>
    <message>
        <source>Theirs</source>
        <translation>Anderes Programm</translation>
    </message>
    <message>
        <source>Yours</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>Overwrite keeps</source>
        <translation>Überschreiben behält</translation>
    </message>
    <message>
        <source>Differing styles</source>
        <translation>Abweichende Stile</translation>
    </message>
    <message>
        <source>Each style that differs: what the other program did to it, what you did, and whose version Overwrite keeps</source>
        <translation>Jeder abweichende Stil: was das andere Programm daran geändert hat, was Sie geändert haben und wessen Fassung Überschreiben behält</translation>
    </message>
    <message>
        <source>yours, not theirs</source>
        <translation>Ihre, nicht die andere</translation>
    </message>
    <message>
        <source>yours</source>
        <translation>Ihre</translation>
    </message>
    <message>
        <source>theirs</source>
        <translation>die andere</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Überschreiben</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Saves your changes and keeps theirs to every other style</source>
        <translation>Speichert Ihre Änderungen und behält die des anderen Programms an allen übrigen Stilen</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Shows their version and drops your unsaved changes</source>
        <translation>Zeigt die andere Fassung und verwirft Ihre ungespeicherten Änderungen</translation>
    </message>
    <message>
        <source>Writes nothing</source>
        <translation>Schreibt nichts</translation>
    </message>
</context>
<context>
    <name>styleeditor::MainWindow</name>
    <message>
        <source>Change Type</source>
        <translation>Typ ändern</translation>
    </message>
    <message>
        <source>Edit Suitable For</source>
        <translation>„Geeignet für“ bearbeiten</translation>
    </message>
    <message>
        <source>Edit Description</source>
        <translation>Beschreibung bearbeiten</translation>
    </message>
    <message>
        <source>Edit Settings</source>
        <translation>Einstellungen bearbeiten</translation>
    </message>
    <message>
        <source>Filter styles (%1)</source>
        <translation>Stile filtern (%1)</translation>
    </message>
    <message>
        <source>Style filter</source>
        <translation>Stilfilter</translation>
    </message>
    <message>
        <source>Shows only the styles whose name, type, suitable-for or description holds this text</source>
        <translation>Zeigt nur die Stile, deren Name, Typ, „Geeignet für“ oder Beschreibung diesen Text enthält</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Stile</translation>
    </message>
    <message>
        <source>Every style of the stylesheet with its type, suitable-for and number of settings; the selected one is edited on the right</source>
        <translation>Alle Stile des Stylesheets mit Typ, „Geeignet für“ und Anzahl der Einstellungen; der ausgewählte wird rechts bearbeitet</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Setti&amp;ngs:</source>
        <translation>Einstellu&amp;ngen:</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Revert to Saved</source>
        <translation>&amp;Zurück zum Gespeicherten</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <comment>the step undone</comment>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <comment>the step redone</comment>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;Find Style</source>
        <translation>Stil &amp;suchen</translation>
    </message>
    <message>
        <source>&amp;New Style...</source>
        <translation>&amp;Neuer Stil...</translation>
    </message>
    <message>
        <source>&amp;Duplicate Style...</source>
        <translation>Stil &amp;duplizieren...</translation>
    </message>
    <message>
        <source>&amp;Rename Style...</source>
        <translation>Stil &amp;umbenennen...</translation>
    </message>
    <message>
        <source>De&amp;lete Style...</source>
        <translation>Stil &amp;löschen...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Style</source>
        <comment>menu</comment>
        <translation>&amp;Stil</translation>
    </message>
    <message>
        <source>Se&amp;tting</source>
        <comment>menu of the current style&apos;s settings</comment>
        <translation>&amp;Einstellung</translation>
    </message>
    <message>
        <source>Main</source>
        <comment>toolbar</comment>
        <translation>Haupt</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1 cannot be read whole, so it is shown read-only and cannot be saved.&lt;/b&gt;&lt;br&gt;%2</source>
        <translation>&lt;b&gt;%1 kann nicht vollständig gelesen werden; es wird daher schreibgeschützt angezeigt und kann nicht gespeichert werden.&lt;/b&gt;&lt;br&gt;%2</translation>
    </message>
    <message>
        <source> at line %1, column %2:&lt;pre&gt;%3&lt;/pre&gt;</source>
        <comment>where the file cannot be read</comment>
        <translation> in Zeile %1, Spalte %2:&lt;pre&gt;%3&lt;/pre&gt;</translation>
    </message>
    <message>
        <source>Revert to Saved (F5) reads it again once it has been mended.</source>
        <translation>Zurück zum Gespeicherten (F5) liest es erneut, sobald es repariert ist.</translation>
    </message>
    <message>
        <source>Style name:</source>
        <translation>Stilname:</translation>
    </message>
    <message>
        <source>A style needs a name.</source>
        <translation>Ein Stil braucht einen Namen.</translation>
    </message>
    <message>
        <source>There is already a style named &quot;%1&quot;.</source>
        <translation>Es gibt bereits einen Stil namens „%1“.</translation>
    </message>
    <message>
        <source>The name holds a character a stylesheet cannot store.</source>
        <translation>Der Name enthält ein Zeichen, das ein Stylesheet nicht speichern kann.</translation>
    </message>
    <message>
        <source>New Style</source>
        <translation>Neuer Stil</translation>
    </message>
    <message>
        <source>New Style %1</source>
        <translation>Neuer Stil %1</translation>
    </message>
    <message>
        <source>Duplicate Style</source>
        <translation>Stil duplizieren</translation>
    </message>
    <message>
        <source>Duplicate Style %1</source>
        <translation>Stil %1 duplizieren</translation>
    </message>
    <message>
        <source>Rename Style</source>
        <translation>Stil umbenennen</translation>
    </message>
    <message>
        <source>Rename Style %1</source>
        <translation>Stil %1 umbenennen</translation>
    </message>
    <message>
        <source>Delete Style %1</source>
        <translation>Stil %1 löschen</translation>
    </message>
    <message>
        <source>Deleting Style</source>
        <translation>Stil löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the style: %1</source>
        <translation>Möchten Sie den Stil %1 wirklich löschen?</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>Nothing was saved: %1 cannot be read whole, and writing it would lose what it holds.

%2</source>
        <translation>Es wurde nichts gespeichert: %1 kann nicht vollständig gelesen werden, und es zu schreiben würde seinen Inhalt verlieren.

%2</translation>
    </message>
    <message>
        <source>The stylesheet %1 no longer exists; nothing was saved.</source>
        <translation>Das Stylesheet %1 existiert nicht mehr; es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Save Failed</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
    <message>
        <source>Saving to %1 failed</source>
        <translation>Speichern in %1 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Nothing was saved: the name of the style &quot;%1&quot; holds a character that a stylesheet cannot store, such as a control character.</source>
        <translation>Es wurde nichts gespeichert: Der Name des Stils „%1“ enthält ein Zeichen, das ein Stylesheet nicht speichern kann, etwa ein Steuerzeichen.</translation>
    </message>
    <message>
        <source>Nothing was saved: the suitable-for of the style &quot;%1&quot; holds a character that a stylesheet cannot store, such as a control character.</source>
        <translation>Es wurde nichts gespeichert: „Geeignet für“ des Stils „%1“ enthält ein Zeichen, das ein Stylesheet nicht speichern kann, etwa ein Steuerzeichen.</translation>
    </message>
    <message>
        <source>Nothing was saved: the description of the style &quot;%1&quot; holds a character that a stylesheet cannot store, such as a control character.</source>
        <translation>Es wurde nichts gespeichert: Die Beschreibung des Stils „%1“ enthält ein Zeichen, das ein Stylesheet nicht speichern kann, etwa ein Steuerzeichen.</translation>
    </message>
    <message>
        <source>Nothing was saved: setting %2 of the style &quot;%1&quot; holds a character that a stylesheet cannot store, such as a control character.</source>
        <translation>Es wurde nichts gespeichert: Einstellung %2 des Stils „%1“ enthält ein Zeichen, das ein Stylesheet nicht speichern kann, etwa ein Steuerzeichen.</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>In %1 gespeichert</translation>
    </message>
    <message>
        <source>Not everything was saved; the file holds what it shows now.</source>
        <translation>Es wurde nicht alles gespeichert; die Datei enthält, was jetzt angezeigt wird.</translation>
    </message>
    <message>
        <source>Revert to Saved</source>
        <translation>Zurück zum Gespeicherten</translation>
    </message>
    <message>
        <source>Discard every unsaved change and read %1 again?</source>
        <translation>Alle ungespeicherten Änderungen verwerfen und %1 neu lesen?</translation>
    </message>
    <message>
        <source>Another program changed %1; shown as it is now.</source>
        <translation>Ein anderes Programm hat %1 geändert; es wird so angezeigt, wie es jetzt ist.</translation>
    </message>
    <message>
        <source>Another program changed %1; saving will show which styles differ.</source>
        <translation>Ein anderes Programm hat %1 geändert; beim Speichern wird gezeigt, welche Stile sich unterscheiden.</translation>
    </message>
    <message>
        <source>%1[*]%2 - Style Editor</source>
        <comment>file, read-only mark</comment>
        <translation>%1[*]%2 – Stil-Editor</translation>
    </message>
    <message>
        <source> [read-only]</source>
        <translation> [schreibgeschützt]</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>The styles have unsaved changes. Save them before closing?</source>
        <translation>Die Stile haben ungespeicherte Änderungen. Vor dem Schließen speichern?</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
</context>
<context>
    <name>styleeditor::SettingsListEditor</name>
    <message>
        <source>Holds a character a stylesheet cannot store</source>
        <translation>Enthält ein Zeichen, das ein Stylesheet nicht speichern kann</translation>
    </message>
    <message>
        <source>&amp;Add Setting</source>
        <translation>Einstellung &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove Setting</source>
        <translation>Einstellung &amp;entfernen</translation>
    </message>
    <message>
        <source>Move Setting &amp;Up</source>
        <translation>Einstellung nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Setting &amp;Down</source>
        <translation>Einstellung nach &amp;unten</translation>
    </message>
    <message>
        <source>&amp;Edit Setting</source>
        <translation>Einstellung &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The style&apos;s settings in order, one Qt style-sheet declaration or rule each; F2 edits the current one</source>
        <translation>Die Einstellungen des Stils der Reihe nach, jede eine Qt-Stylesheet-Deklaration oder -Regel; F2 bearbeitet die aktuelle</translation>
    </message>
    <message>
        <source>Adds a setting after the current one</source>
        <translation>Fügt eine Einstellung nach der aktuellen hinzu</translation>
    </message>
    <message>
        <source>Removes the current setting</source>
        <translation>Entfernt die aktuelle Einstellung</translation>
    </message>
    <message>
        <source>Moves the current setting up</source>
        <translation>Verschiebt die aktuelle Einstellung nach oben</translation>
    </message>
    <message>
        <source>Moves the current setting down</source>
        <translation>Verschiebt die aktuelle Einstellung nach unten</translation>
    </message>
    <message>
        <source>Edits the current setting in place</source>
        <translation>Bearbeitet die aktuelle Einstellung direkt in der Liste</translation>
    </message>
</context>
<context>
    <name>styleeditor::StyleForm</name>
    <message>
        <source>widget classes, e.g. QLabel QPushButton</source>
        <translation>Widget-Klassen, z. B. QLabel QPushButton</translation>
    </message>
    <message>
        <source>Style name</source>
        <translation>Stilname</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>of a style</comment>
        <translation>Typ</translation>
    </message>
    <message>
        <source>How the style is meant to be used: none, state, style or setting</source>
        <translation>Wofür der Stil gedacht ist: none (keiner), state, style oder setting</translation>
    </message>
    <message>
        <source>Suitable for</source>
        <translation>Geeignet für</translation>
    </message>
    <message>
        <source>The widget classes the style is made for, separated by spaces</source>
        <translation>Die Widget-Klassen, für die der Stil gemacht ist, durch Leerzeichen getrennt</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>What the style is for, in words</source>
        <translation>Wofür der Stil da ist, in Worten</translation>
    </message>
    <message>
        <source>Name:</source>
        <comment>of the style</comment>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Ty&amp;pe:</source>
        <comment>of a style</comment>
        <translation>Ty&amp;p:</translation>
    </message>
    <message>
        <source>S&amp;uitable for:</source>
        <translation>&amp;Geeignet für:</translation>
    </message>
    <message>
        <source>Descr&amp;iption:</source>
        <translation>Besch&amp;reibung:</translation>
    </message>
    <message>
        <source>The name of the selected style; Rename changes it</source>
        <translation>Der Name des ausgewählten Stils; Umbenennen ändert ihn</translation>
    </message>
</context>
<context>
    <name>styleeditor::StyleListModel</name>
    <message>
        <source>none</source>
        <comment>style type</comment>
        <translation>keiner</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>column: the style&apos;s name</comment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>column: the style&apos;s type</comment>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Suitable for</source>
        <comment>column</comment>
        <translation>Geeignet für</translation>
    </message>
    <message>
        <source>Settings</source>
        <comment>column, 60 pixels wide: how many settings a style has</comment>
        <translation>Einst.</translation>
    </message>
</context>
<context>
    <name>styleeditor::StylePreview</name>
    <message>
        <source>Label 12.5 dB</source>
        <comment>sample label: a level</comment>
        <translation>Pegel 12,5 dB</translation>
    </message>
    <message>
        <source>CAM 1</source>
        <comment>sample button: camera 1</comment>
        <translation>KAM 1</translation>
    </message>
    <message>
        <source>Panel</source>
        <comment>sample frame</comment>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Studio A</source>
        <comment>sample line edit: a room</comment>
        <translation>Studio A</translation>
    </message>
    <message>
        <source>Tally</source>
        <comment>sample check box: the on-air light</comment>
        <translation>Tally</translation>
    </message>
    <message>
        <source>Source 1</source>
        <comment>sample combo box: a video source</comment>
        <translation>Quelle 1</translation>
    </message>
    <message>
        <source>Source 2</source>
        <comment>sample combo box: a video source</comment>
        <translation>Quelle 2</translation>
    </message>
    <message>
        <source>Widget</source>
        <comment>sample of a widget of any other class</comment>
        <translation>Element</translation>
    </message>
    <message>
        <source>Backdrop:</source>
        <translation>Hintergrund:</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <comment>backdrop</comment>
        <translation>&amp;Hell</translation>
    </message>
    <message>
        <source>Dar&amp;k</source>
        <comment>backdrop</comment>
        <translation>D&amp;unkel</translation>
    </message>
    <message>
        <source>Light backdrop</source>
        <translation>Heller Hintergrund</translation>
    </message>
    <message>
        <source>Shows the samples on a light background</source>
        <translation>Zeigt die Beispiele auf hellem Hintergrund</translation>
    </message>
    <message>
        <source>Dark backdrop</source>
        <translation>Dunkler Hintergrund</translation>
    </message>
    <message>
        <source>Shows the samples on a dark background</source>
        <translation>Zeigt die Beispiele auf dunklem Hintergrund</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>Sample widgets of the classes the style is suitable for, styled by it</source>
        <translation>Beispiel-Widgets der Klassen, für die der Stil geeignet ist, in diesem Stil</translation>
    </message>
</context>
<context>
    <name>styleeditor::UnsavableMark</name>
    <message>
        <source>Holds a control character or another character a stylesheet cannot store; saving is blocked until it is removed.</source>
        <translation>Enthält ein Steuerzeichen oder ein anderes Zeichen, das ein Stylesheet nicht speichern kann; Speichern ist gesperrt, bis es entfernt ist.</translation>
    </message>
</context>
</TS>
