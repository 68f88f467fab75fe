#pragma once

class QCoreApplication;
class QString;

// The toolkit's own texts (Yes/No, OK/Cancel, file, print and page setup dialogs) in the program's
// language, and numbers and dates as on a Ukrainian desktop. False when the toolkit's translation is not
// installed; the program then goes on with the toolkit's English.
bool InstallToolkitLanguage(QCoreApplication& app);

// The interface in Russian ("ru", the program's own texts) or Ukrainian ("uk"): the program's and the
// toolkit's translations are put in place, and every window is told to show its texts again. Numbers,
// dates and documents stay as they are. False when a translation could not be loaded.
bool SetInterfaceLanguage(const QString& language);
// The language set last: "ru" or "uk".
QString InterfaceLanguage();
