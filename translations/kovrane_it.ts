<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
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
        <translation>Kovrane: un cronometro per il desktop che conta in secondi interi.

Uso: kovrane [--help | --version]

  --help     mostra questo aiuto ed esce
  --version  mostra la versione ed esce

Ogni altro argomento viene ignorato. START conta a partire dal tempo mostrato
e STOP lo mette in pausa; il tasto Spazio equivale a premere il pulsante
visibile.

Stato di uscita: 0 quando la finestra viene chiusa e dopo --help o --version;
1 quando non è possibile aprire una finestra o è stato mostrato un errore di
runtime.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Gli sviluppatori di Kovrane
Licenza MIT: libero uso, modifica e condivisione; nessuna garanzia.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Errore di virgola mobile</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Operazione sul controllo non riuscita</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Errore di runtime «%1»:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Tempo trascorso</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Cronometraggio in corso</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: impossibile aprire una finestra: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>nessun display trovato (le variabili DISPLAY e WAYLAND_DISPLAY non sono impostate)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>nessun display trovato (le variabili DISPLAY e WAYLAND_DISPLAY non sono impostate, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>impossibile connettersi al display (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: eseguirlo con QT_DEBUG_PLUGINS=1 per vedere la spiegazione di Qt stesso</translation>
    </message>
</context>
</TS>
