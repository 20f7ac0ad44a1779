<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
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
        <translation>Kovrane：以整秒计时的桌面秒表。

用法：kovrane [--help | --version]

  --help     显示此帮助并退出
  --version  显示版本信息并退出

其他参数将被忽略。START 从显示的时间继续计时，STOP 暂停计时；
按空格键相当于按下当前显示的按钮。

退出状态：关闭窗口时以及 --help、--version 之后为 0；
无法打开窗口或显示了运行时错误时为 1。
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Kovrane 开发者
MIT 许可证：可自由使用、修改和分享；不提供任何担保。
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>发生溢出。</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>浮点运算出错。</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>控件操作失败。</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>运行时错误“%1”：

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>已用时间</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>正在计时</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane：无法打开窗口：%1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>未找到显示器（未设置 DISPLAY 和 WAYLAND_DISPLAY）</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>未找到显示器（未设置 DISPLAY 和 WAYLAND_DISPLAY，QT_QPA_PLATFORM=%1）</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>无法连接到显示器（%1）</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane：使用 QT_DEBUG_PLUGINS=1 运行可查看 Qt 自身的详细说明</translation>
    </message>
</context>
</TS>
