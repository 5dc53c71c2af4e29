// Login scripts that answer the host's prompts after the connection opens.
#pragma once

void SetLoginScriptPriority(int priority);
void StartLoginScript();
void StopLoginScript();
bool LoginScriptRunning();
// Wakes the script when the reader's input-ready state changed.
void NotifyLoginScriptState();
// Every value the host-data thread fetched, -1 and 0 included; what is not a
// character is ignored.
void MatchLoginScriptText(int value);
