<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
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
        <translation>Kovrane: un cronómetro de escritorio que cuenta en segundos enteros.

Uso: kovrane [--help | --version]

  --help     muestra esta ayuda y sale
  --version  muestra la versión y sale

Se ignora cualquier otro argumento. START cuenta a partir del tiempo mostrado
y STOP lo pausa; la tecla Espacio equivale a pulsar el botón que esté visible.

Estado de salida: 0 al cerrar la ventana y después de --help o --version;
1 si no se puede abrir ninguna ventana o se ha mostrado un error en tiempo
de ejecución.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Los desarrolladores de Kovrane
Licencia MIT: libre para usar, modificar y compartir; sin garantía.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Error de coma flotante</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Error en la operación del control</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Se ha producido el error «%1» en tiempo de ejecución:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Tiempo transcurrido</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Cronometrando</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: no se puede abrir una ventana: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>no se encontró ninguna pantalla (las variables DISPLAY y WAYLAND_DISPLAY no están definidas)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>no se encontró ninguna pantalla (las variables DISPLAY y WAYLAND_DISPLAY no están definidas, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>no se pudo conectar con la pantalla (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: ejecútelo con QT_DEBUG_PLUGINS=1 para ver la explicación del propio Qt</translation>
    </message>
</context>
</TS>
