#pragma once

// The program's entry: application title, the forms, the message loop. An exception that
// escapes start-up is shown in the general error box and the program ends.
int RunLedra(int argc, char** argv);
