// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Every message box and file dialog of the program goes through the current Prompter, so that tests
// can script the answers and record the messages. The program installs QtPrompter at start-up.
class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual void information(const QString& text) = 0;
  virtual void warning(const QString& text) = 0;
  virtual void error(const QString& text) = 0;
  // Yes/No question; true for Yes.
  virtual bool confirm(const QString& text) = 0;

  // filter in the form "Label|*.ext"; the default suffix is appended to a name typed without one.
  // Empty result: the user cancelled.
  virtual QString openFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                               const QString& folder) = 0;
  virtual QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                               const QString& folder, const QString& proposedName, bool askOverwrite) = 0;
  // One line of text, proposed as given; empty result: the user cancelled or typed nothing.
  virtual QString textInput(const QString& title, const QString& label, const QString& proposed) = 0;

  // The installed prompter; never null once the program or a test has installed one.
  static Prompter& current();
  // Installs p (not owned) and returns the one it replaces.
  static Prompter* install(Prompter* p);
};

// Message boxes and file dialogs of Qt, captioned with the application title.
class QtPrompter : public Prompter {
 public:
  void information(const QString& text) override;
  void warning(const QString& text) override;
  void error(const QString& text) override;
  bool confirm(const QString& text) override;
  QString openFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                       const QString& folder) override;
  QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                       const QString& folder, const QString& proposedName, bool askOverwrite) override;
  QString textInput(const QString& title, const QString& label, const QString& proposed) override;
};

// Turns "Label|*.ext" into Qt's "Label (*.ext)".
QString qtFilterFromPipeFilter(const QString& filter);
