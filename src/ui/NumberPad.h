#pragma once

namespace tolvane {

class Context;
class Forms;

// The number pad's labels: which track each key plays, the page key and the
// highlight of the item that plays.
class NumberPad
{
public:
    NumberPad(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    // Lays out the first page of track numbers when asked to or when the second page
    // is not showing; otherwise the second page.
    void ChkLab(bool firstPage);
    // Shows key k + 1 (k from 0) in green; -1 leaves every key in its own colour.
    void ChkLabColor(int index);
    // The leading number of key i's caption; 0 when it has none.
    int KeyNumber(int key) const;
    // Centres key i's label on its key.
    void CentreLabel(int key);

private:
    Context& context_;
    Forms& forms_;
};

} // namespace tolvane
