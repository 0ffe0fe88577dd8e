#pragma once
// The main window with what the window benchmarks look at beyond what the program uses.
#include "screens/corvane_new_dlg.h"

namespace corvane::bench {

class BenchWindow : public CCorvaneNewDlg {
public:
    using CCorvaneNewDlg::CCorvaneNewDlg;
    using CCorvaneNewDlg::link;
    using CCorvaneNewDlg::linkBridge;
    CClientWnd& clientWindow() { return *findChild<CClientWnd*>(QStringLiteral("clientWindow")); }
};

}  // namespace corvane::bench
