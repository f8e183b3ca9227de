#include "platform/ParentConsole.h"

ParentConsole::ParentConsole() = default;

ParentConsole::~ParentConsole() = default;
