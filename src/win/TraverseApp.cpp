#include "win/TraverseApp.h"

#include <objbase.h>

// A thread the host already set up for COM keeps its own set-up; it is counted all the same.
bool CTraverseApp::InitInstance() {
    const HRESULT hr = CoInitialize(nullptr);
    m_comStarted = SUCCEEDED(hr);
    return true;
}

void CTraverseApp::ExitInstance() {
    if (m_comStarted) CoUninitialize();
    m_comStarted = false;
}
