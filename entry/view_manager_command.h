// The command the host starts: check the session and the view
// configuration, then open the View Manager or show the open one.
#pragma once

// Creating and showing the View Manager dialog: the one step of the command
// that needs the window system.
class ViewManagerDialogStep {
  public:
    virtual ~ViewManagerDialogStep() = default;
    // Creates the dialog if the process has none, and shows it.
    virtual void CreateOrShow() = 0;
};

// Runs the command inside a host session of its own, with the View Manager's
// help context set up while it runs. Nothing is thrown: a command that fails
// tells the user and leaves nothing open.
void RunViewManagerCommand(ViewManagerDialogStep& dialog) noexcept;
