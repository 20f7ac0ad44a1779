<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>kovrane::CommandLine</name>
    <message>
        <source>Kovrane: a desktop stopwatch that counts up in whole seconds.

Usage: kovrane [--help | --version]

  --help     print this help and exit
  --version  print the version and exit

Any other argument is ignored. START counts up from the time shown and STOP
pauses it; Space acts as a click on whichever button is shown.

Exit status: 0 when the window is closed, and after --help or --version;
1 when no window can be opened or a run-time error was shown.
</source>
        <translation>Kovrane: eine Stoppuhr für den Desktop, die in ganzen Sekunden hochzählt.

Aufruf: kovrane [--help | --version]

  --help     diese Hilfe anzeigen und beenden
  --version  die Version anzeigen und beenden

Andere Argumente werden ignoriert. START zählt von der angezeigten Zeit an
weiter, STOP hält an; die Leertaste betätigt die jeweils angezeigte
Schaltfläche.

Rückgabewert: 0, wenn das Fenster geschlossen wird, und nach --help oder
--version; 1, wenn sich kein Fenster öffnen lässt oder ein Laufzeitfehler
angezeigt wurde.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Die Kovrane-Entwickler
MIT-Lizenz: Nutzung, Änderung und Weitergabe frei; keine Gewährleistung.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Gleitkommafehler</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Vorgang am Steuerelement fehlgeschlagen</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Laufzeitfehler „%1“:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Verstrichene Zeit</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Zeitmessung läuft</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: Fenster kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>keine Anzeige gefunden (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>keine Anzeige gefunden (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>Verbindung zur Anzeige nicht möglich (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: Starten Sie es mit QT_DEBUG_PLUGINS=1, um die Erklärung von Qt selbst zu sehen</translation>
    </message>
</context>
</TS>
