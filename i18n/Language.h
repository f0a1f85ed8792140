#pragma once

// The languages, numbered as the language dispatcher numbers them.
enum class Language { Italian = 1, English = 2, Spanish = 3 };
