target_sources(veltrano_gui PRIVATE
)
