#pragma once
// The program speaks Italian whatever the machine's language: Qt's own widgets and dialogs
// (buttons, file and print dialogs, context menus, dates and sizes) included.

class QCoreApplication;

namespace lumetra::platform {

// Sets the application's locale to Italian (Italy), loads Qt's Italian translation with the
// texts it lacks, and has every dialog drawn by Qt itself rather than by the desktop, whose
// dialogs would follow the machine's language. Call once, right after creating the application.
void useItalianLocale(QCoreApplication& application);

} // namespace lumetra::platform
