// Login scripts that answer the host's prompts after the connection opens.
#pragma once

void SetLoginScriptPriority(int priority);
void StopLoginScript();
