// The modal questions and messages of the main window, as replaceable functions: the player
// installs the real dialogs, tests answer them without showing anything.
#pragma once

#include "filecopy.h"

#include <QString>
#include <functional>
#include <optional>

class PlatformServices;
class QWidget;

struct PlayerDialogs {
  // A message box with the application title; returns QMessageBox::StandardButton.
  std::function<int(const QString& text, bool okCancel)> message;
  // The folder browser: owner title, title line and the folder to start in; empty when cancelled.
  std::function<QString(const QString& windowTitle, const QString& titleLine, const QString& start)> chooseFolder;
  // The drive selection dialog: the chosen entry's text, or no value when not confirmed.
  std::function<std::optional<QString>()> selectDrive;
  // The date dialog: the chosen date (seconds since 1970), or no value when cancelled.
  std::function<std::optional<qint64>()> selectDate;
  // The capture save dialog: initial name and folder; the chosen full path or empty.
  std::function<QString(const QString& initialName, const QString& folder)> chooseCaptureFile;
  // Asked before an existing capture file is replaced.
  std::function<bool(const QString& path)> confirmReplace;
  // A message that must not stop what the window is doing (a non-modal box).
  std::function<void(const QString& text)> notice;
  // The questions and messages of a save (empty members: the message boxes).
  CopyHooks copy;
};

// The real dialogs, owned by owner; texts in the language loadUiString gives at the time of asking.
void InstallDefaultDialogs(PlayerDialogs& dialogs, QWidget* owner, PlatformServices& services,
                           std::function<QString(int)> loadUiString);
