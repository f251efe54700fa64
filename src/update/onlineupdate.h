#pragma once

#include <QString>

#include <functional>

class Tbanben;

// The online update: finds out whether the update server offers a newer
// release than the installed one, shows both in the version dialog and
// hands over to the updater "app_upd" in the program folder, which does
// the upgrade. The program itself never replaces any of its files.
//
// The automatic check (Timer1Timer) runs once, a few seconds after the main
// window has first been shown: it fetches the server's version file into
// "tmp.ini" in the background and offers the upgrade when it is newer. The
// main window's 在线升级 button (Image8Click) compares "tmp.ini" with
// "predate.ini" and offers the upgrade or says the release is the latest.
namespace OnlineUpdate {

// Kept for the run: the address of the server's version file, the program
// folder, the offered (banben1) and the installed (banben2) version.
inline QString sChkURL;
inline QString AppPath;
inline QString banben1;
inline QString banben2;

// What the update asks of the system; tests put their own in place.
struct Services
{
    std::function<bool()> networkConnected;  // NetCheckMacAttachNet
    std::function<QString()> programFile;    // the file whose version names the server's folder
    std::function<void()> endApplication;    // once the current event has been handled
};
Services &services();
void resetServices();

// The version dialog, made once and kept for the run.
Tbanben *banben();

// The automatic check. It returns at once; the download goes on in the
// background and the rest follows when it has ended. Whatever goes wrong
// stays silent: the candidate is never told about this check's failures.
void Timer1Timer();
// True from Timer1Timer until the check has come to its end.
bool checkRunning();

// The button's check, after the main window's own steps.
void Image8Click();

// Starts the updater, detached and without parameters.
void startUpdater();

// Makes this the shell's update: the button's check and the automatic check.
void install();

} // namespace OnlineUpdate
