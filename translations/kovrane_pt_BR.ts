<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
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
        <translation>Kovrane: um cronômetro de área de trabalho que conta em segundos inteiros.

Uso: kovrane [--help | --version]

  --help     mostra esta ajuda e sai
  --version  mostra a versão e sai

Qualquer outro argumento é ignorado. START conta a partir do tempo exibido e
STOP o pausa; a tecla Espaço aciona o botão que estiver visível.

Status de saída: 0 quando a janela é fechada e após --help ou --version;
1 quando nenhuma janela pode ser aberta ou um erro em tempo de execução
foi exibido.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Os desenvolvedores do Kovrane
Licença MIT: livre para usar, alterar e compartilhar; sem garantia.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Estouro</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Erro de ponto flutuante</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Falha na operação do controle</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Erro em tempo de execução “%1”:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Tempo decorrido</translation>
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
        <translation>kovrane: não foi possível abrir uma janela: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>nenhuma tela encontrada (as variáveis DISPLAY e WAYLAND_DISPLAY não estão definidas)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>nenhuma tela encontrada (as variáveis DISPLAY e WAYLAND_DISPLAY não estão definidas, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>não foi possível conectar à tela (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: execute-o com QT_DEBUG_PLUGINS=1 para ver as explicações do próprio Qt</translation>
    </message>
</context>
</TS>
