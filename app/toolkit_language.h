#pragma once

class QCoreApplication;

// The toolkit's own texts (Yes/No, OK/Cancel, file, print and page setup dialogs) in the program's
// language, and numbers and dates as on a Ukrainian desktop. False when the toolkit's translation is not
// installed; the program then goes on with the toolkit's English.
bool InstallToolkitLanguage(QCoreApplication& app);
