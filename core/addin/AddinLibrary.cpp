// The add-in library itself; its code lives in tavroset_core, linked whole into it.
