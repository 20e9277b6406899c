#pragma once

// The markup a voice takes. The numbers are the speak flags that say so, and
// what the voice list prints.
enum class MarkupKind { SapiXml = 8, PlainText = 16 };
