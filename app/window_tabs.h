#pragma once

// The main window's tabs, in their order.
enum WindowTab { DocumentsPage = 0, ClientsPage = 1, OwnerPage = 2 };
