<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
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
        <translation>Kovrane: stoper na pulpit, który mierzy czas w pełnych sekundach.

Użycie: kovrane [--help | --version]

  --help     wyświetla tę pomoc i kończy działanie
  --version  wyświetla wersję i kończy działanie

Pozostałe argumenty są ignorowane. START liczy dalej od wyświetlanego czasu,
a STOP wstrzymuje pomiar; spacja działa jak kliknięcie widocznego przycisku.

Kod wyjścia: 0 po zamknięciu okna oraz po --help lub --version; 1, gdy nie
można otworzyć okna lub wyświetlono błąd czasu wykonania.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Twórcy programu Kovrane
Licencja MIT: wolno używać, zmieniać i udostępniać; bez gwarancji.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Przepełnienie</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Błąd zmiennoprzecinkowy</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Operacja na formancie nie powiodła się</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Błąd czasu wykonania „%1”:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Czas, który upłynął</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Trwa pomiar</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: nie można otworzyć okna: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>nie znaleziono ekranu (zmienne DISPLAY i WAYLAND_DISPLAY nie są ustawione)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>nie znaleziono ekranu (zmienne DISPLAY i WAYLAND_DISPLAY nie są ustawione, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>nie można połączyć się z ekranem (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: aby zobaczyć wyjaśnienia samego Qt, należy uruchomić program z QT_DEBUG_PLUGINS=1</translation>
    </message>
</context>
</TS>
