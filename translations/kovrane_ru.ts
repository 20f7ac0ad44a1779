<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
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
        <translation>Kovrane — настольный секундомер, отсчитывающий время целыми секундами.

Использование: kovrane [--help | --version]

  --help     показать эту справку и выйти
  --version  показать версию и выйти

Другие аргументы игнорируются. START продолжает отсчёт с показанного
времени, STOP приостанавливает его; клавиша «Пробел» действует как нажатие
видимой кнопки.

Код завершения: 0 после закрытия окна, а также после --help или --version;
1, если не удалось открыть окно или была показана ошибка выполнения.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Разработчики Kovrane
Лицензия MIT: свободное использование, изменение и распространение;
без гарантий.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>Переполнение</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>Ошибка вычислений с плавающей точкой</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>Сбой операции с элементом управления</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>Ошибка выполнения «%1»:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>Прошедшее время</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>Идёт отсчёт</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: не удаётся открыть окно: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>дисплей не найден (переменные DISPLAY и WAYLAND_DISPLAY не заданы)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>дисплей не найден (переменные DISPLAY и WAYLAND_DISPLAY не заданы, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>не удалось подключиться к дисплею (%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: чтобы увидеть пояснения самого Qt, запустите программу с QT_DEBUG_PLUGINS=1</translation>
    </message>
</context>
</TS>
