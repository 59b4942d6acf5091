#pragma once

namespace tolvane {

class Context;
class Forms;

// The main window's own settings: read at start-up, written at exit.
class FormData
{
public:
    FormData(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    void ReadFormData();
    void SaveFormData();

private:
    Context& context_;
    Forms& forms_;
};

} // namespace tolvane
