#pragma once
// The domain of this computer, as the main window and the add window each
// look it up for themselves.
#include "directory/wmi.h"

class QLineEdit;

namespace torvane {

// Writes the "domain" property of this computer's system object into the
// field; a failing step leaves the field as it is.
void LoadDomainName(const ads::WmiBinder& getObject, QLineEdit* txtDomain);

} // namespace torvane
