<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
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
        <translation>Kovrane: 초 단위로 시간을 재는 데스크톱 스톱워치입니다.

사용법: kovrane [--help | --version]

  --help     이 도움말을 표시하고 종료합니다
  --version  버전 정보를 표시하고 종료합니다

그 밖의 인수는 무시합니다. START를 누르면 표시된 시간부터 계속
측정하고 STOP을 누르면 일시 정지합니다. Space 키를 누르면 둘 중
표시된 버튼이 눌립니다.

종료 상태: 창을 닫았을 때와 --help, --version 뒤에는 0,
창을 열 수 없거나 런타임 오류를 표시했을 때는 1입니다.
</translation>
    </message>
    <message>
        <source>Copyright (c) 2026 The Kovrane developers
MIT License: free to use, change and share; no warranty.
</source>
        <translation>Copyright (c) 2026 Kovrane 개발자
MIT 라이선스: 자유롭게 사용, 수정, 공유할 수 있습니다. 어떠한 보증도 없습니다.
</translation>
    </message>
</context>
<context>
    <name>kovrane::ErrorDialog</name>
    <message>
        <source>Overflow</source>
        <translation>오버플로가 발생했습니다.</translation>
    </message>
    <message>
        <source>Floating-point error</source>
        <translation>부동 소수점 연산 오류가 발생했습니다.</translation>
    </message>
    <message>
        <source>Control operation failed</source>
        <translation>컨트롤 작업에 실패했습니다.</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:

%2</source>
        <translation>런타임 오류 &apos;%1&apos;:

%2</translation>
    </message>
</context>
<context>
    <name>kovrane::MainWindow</name>
    <message>
        <source>Elapsed time</source>
        <translation>경과 시간</translation>
    </message>
    <message>
        <source>Counting</source>
        <translation>측정 중</translation>
    </message>
</context>
<context>
    <name>kovrane::WindowSystem</name>
    <message>
        <source>kovrane: cannot open a window: %1</source>
        <translation>kovrane: 창을 열 수 없습니다: %1</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset)</source>
        <translation>디스플레이를 찾을 수 없습니다(DISPLAY 및 WAYLAND_DISPLAY가 설정되지 않음)</translation>
    </message>
    <message>
        <source>no display found (DISPLAY and WAYLAND_DISPLAY are unset, QT_QPA_PLATFORM=%1)</source>
        <translation>디스플레이를 찾을 수 없습니다(DISPLAY 및 WAYLAND_DISPLAY가 설정되지 않음, QT_QPA_PLATFORM=%1)</translation>
    </message>
    <message>
        <source>could not connect to the display (%1)</source>
        <translation>디스플레이에 연결할 수 없습니다(%1)</translation>
    </message>
    <message>
        <source>kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt&apos;s own account</source>
        <translation>kovrane: Qt 자체의 자세한 설명을 보려면 QT_DEBUG_PLUGINS=1을 지정하여 실행하십시오</translation>
    </message>
</context>
</TS>
