#pragma once

// Holds the pictures of the blend; never shown.
class TMixPicFrm {
public:
    TMixPicFrm() = default;
};
