<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="en">
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
        <translation>Kovrane: een stopwatch voor het bureaublad die in hele seconden optelt.

Gebruik: kovrane [--help | --version]

  --help     deze hulptekst tonen en afsluiten
  --version  de versie tonen en afsluiten

Andere argumenten worden genegeerd. START telt verder vanaf de getoonde tijd
en STOP pauzeert; de spatiebalk bedient de knop die op dat moment zichtbaar is.

Afsluitwaarde: 0 als het venster gesloten wordt en na --help of --version;
1 als er geen venster geopend kan worden of er een runtimefout getoond is.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 De ontwikkelaars van Kovrane
MIT-licentie: vrij te gebruiken, te wijzigen en te delen; geen garantie.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Overloop</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Fout met drijvende komma</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Bewerking van besturingselement mislukt</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Runtimefout ‘%1’:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Verstreken tijd</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Tijdmeting loopt</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: kan geen venster openen: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>geen beeldscherm gevonden (DISPLAY en WAYLAND_DISPLAY zijn niet ingesteld)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>geen beeldscherm gevonden (DISPLAY en WAYLAND_DISPLAY zijn niet ingesteld, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>kan geen verbinding maken met het beeldscherm (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: start het met QT_DEBUG_PLUGINS=1 om de uitleg van Qt zelf te zien</translation>
    </message>
</context>
</TS>
