# Pictures (decoding, conversion, scaling) and the index records of the compiler.
target_sources(quillery_mobi PRIVATE
)
