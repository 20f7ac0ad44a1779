#pragma once
// Ids of the texts in kovrane.rc's string tables, shared by the resource
// script and the program. The message of run-time error N is text N.
#define KOVRANE_TEXT_RUNTIME_ERROR 1
#define KOVRANE_TEXT_UNEXPECTED_ERROR 2
